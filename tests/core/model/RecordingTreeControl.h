#pragma once
// A tree control that records what the model asks of it, one line per call,
// naming the model node whose row is meant ("Repaint Cell 3").
#include <string>
#include <vector>

#include "model/ZMTreeSystem.h"

class TRecordingTreeControl : public IzmTreeControl {
 public:
  std::vector<std::string> calls;
  TzmSystem* system = nullptr;
  int attachCount = 0;
  int detachCount = 0;

  // Gives the node a row of this control, as the control does when it shows it.
  TzmViewNode Show(TzmSystemNode& node) {
    node.ViewNode = TzmViewNode{this, &node};
    return node.ViewNode;
  }

  void SetSystem(TzmSystem* s) override {
    if (s == system) return;
    if (s) ++attachCount; else ++detachCount;
    calls.push_back(s ? "Attach" : "Detach");
    TzmSystem* previous = system;
    system = s;
    // Like the real control: attaching registers itself with the system.
    if (s) s->SetTreeview(this);
    else if (previous) previous->SetTreeview(nullptr);
  }
  void RepaintNode(const TzmViewNode& n) override { Record("Repaint", n); }
  void InvalidateToBottom(const TzmViewNode& n) override { Record("InvalidateToBottom", n); }
  void ReinitNode(const TzmViewNode& n) override { Record("Reinit", n); }
  void DeleteNode(const TzmViewNode& n) override { Record("Delete", n); }
  void SetChildCount(const TzmViewNode& n, int count) override {
    Record("SetChildCount", n, " " + std::to_string(count));
  }
  void SetCheckState(const TzmViewNode& n, std::uint8_t state) override {
    Record("SetCheckState", n, " " + std::to_string(state));
  }
  void ClearSelection() override { calls.push_back("ClearSelection"); }
  void ExpandAncestors(const TzmViewNode& n) override { Record("ExpandAncestors", n); }
  void SelectNode(const TzmViewNode& n) override { Record("Select", n); }
  void FocusNode(const TzmViewNode& n) override { Record("Focus", n); }

  void Clear() { calls.clear(); }

 private:
  void Record(const char* what, const TzmViewNode& n, const std::string& extra = {}) {
    std::string line = what;
    if (n.Control != this) line += " <foreign control>";
    // Rows are the model nodes themselves here; a deleted row's node may be gone,
    // so only its address is trusted for rows this fake did not hand out.
    const auto* node = static_cast<const TzmSystemNode*>(n.Row);
    line += " " + (node ? NameOf(node) : std::string("<none>")) + extra;
    calls.push_back(line);
  }
  std::string NameOf(const TzmSystemNode* node) const {
    return node->Name().empty() ? std::string("<root>") : node->Name();
  }
};
