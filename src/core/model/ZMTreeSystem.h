#pragma once
// The generic tree of named nodes under the battery system model, and the
// container that owns its root and talks to at most one tree control.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class TzmSystem;
class TzmSystemNode;
class IzmTreeControl;

// The tree control's node for a model node: which control shows it and the
// control's own row handle. Opaque to the model; empty while no control shows it.
struct TzmViewNode {
  IzmTreeControl* Control = nullptr;
  void* Row = nullptr;
  explicit operator bool() const { return Control != nullptr; }
  bool operator==(const TzmViewNode&) const = default;
};

// What a tree control must offer the model. Every call names the control's own
// node; the model never asks a control for anything but these.
class IzmTreeControl {
 public:
  virtual ~IzmTreeControl() = default;
  // Attach to a system, or detach with nullptr. On attach the control sets its
  // number of top-level rows to the root's child count.
  virtual void SetSystem(TzmSystem* system) = 0;
  virtual void RepaintNode(const TzmViewNode& node) = 0;
  // Redraw from this node to the bottom of the view.
  virtual void InvalidateToBottom(const TzmViewNode& node) = 0;
  // Read the node's child count again (not its subtree).
  virtual void ReinitNode(const TzmViewNode& node) = 0;
  virtual void DeleteNode(const TzmViewNode& node) = 0;
  virtual void SetChildCount(const TzmViewNode& node, int count) = 0;
  virtual void SetCheckState(const TzmViewNode& node, std::uint8_t state) = 0;
  virtual void ClearSelection() = 0;
  virtual void ExpandAncestors(const TzmViewNode& node) = 0;
  virtual void SelectNode(const TzmViewNode& node) = 0;
  virtual void FocusNode(const TzmViewNode& node) = 0;
};

// A node class: the virtual constructor of the classic design, as a factory
// that InsertChildOfClass takes.
using TzmNodeClass = std::unique_ptr<TzmSystemNode> (*)();

template <typename T>
std::unique_ptr<TzmSystemNode> CreateNodeOf() {
  return std::make_unique<T>();
}

// The list's index error of GetChild.
class EzmListIndexError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

class TzmSystemNode {
 public:
  TzmSystemNode();
  virtual ~TzmSystemNode();
  TzmSystemNode(const TzmSystemNode&) = delete;
  TzmSystemNode& operator=(const TzmSystemNode&) = delete;

  // Virtual operations, in their fixed slot order.
  virtual void SetChildCount(int count);                      // 0
  virtual std::string GetText() const;                        // 1: column 1
  virtual std::string GetLowAlarmText() const;                // 2: column 2
  virtual std::string GetHighAlarmText() const;               // 3: column 3
  virtual std::string GetLowResistanceText() const;           // 4: column 4
  virtual std::string GetHighResistanceText() const;          // 5: column 5
  virtual void SetName(const std::string& value);             // 6: edits of column 0
  virtual void SetLabel(const std::string& value);            // 7: edits of column 1
  virtual void SetLowAlarmText(const std::string& value);     // 8: edits of column 2
  virtual void SetHighAlarmText(const std::string& value);    // 9: edits of column 3
  virtual void SetLowResistanceText(const std::string& value);   // 10: edits of column 4
  virtual void SetHighResistanceText(const std::string& value);  // 11: edits of column 5
  virtual TzmNodeClass NodeClass() const;                     // 12: the virtual constructor
  virtual int GetImageIndex() const;                          // 13
  virtual TzmSystemNode* AddChild();                          // 14
  virtual void DeleteChild(int index);                        // 15
  // Removes this node from its parent and destroys it; a node without a parent
  // (the root) loses its whole subtree and stays with its owner.
  virtual void Delete();                                      // 16

  int ChildCount() const { return static_cast<int>(Children.size()); }
  TzmSystemNode* GetChild(int index) const;
  int IndexOfChild(const TzmSystemNode* node) const;
  TzmSystemNode* InsertChildOfClass(TzmNodeClass nodeClass);
  // Detaches the child without destroying it and hands it to the caller.
  std::unique_ptr<TzmSystemNode> RemoveChild(int index);
  std::string MakeUniqueChildName(const std::string& prefix) const;

  int GetNumber() const;
  bool HasNumber() const { return Number >= 0; }
  int ClearNumber();

  void SetCheckState(std::uint8_t value);
  void RefreshView() const;
  void SelectInView() const;
  // Clears the view node of this node and its subtree where it belongs to
  // `control` (the control dropped those rows).
  void ForgetViewNodes(const IzmTreeControl* control);

  TzmSystemNode* Parent() const { return Parent_; }
  const std::string& Name() const { return Name_; }
  std::uint8_t CheckState() const { return CheckState_; }

  // Set and cleared only by the tree control that shows this node.
  TzmViewNode ViewNode;
  // An assigned number; -1 = none.
  int Number = -1;

 protected:
  std::vector<std::unique_ptr<TzmSystemNode>> Children;

 private:
  // While SetChildCount grows the list: the numbers the children's names use,
  // so that each new default name costs O(1) instead of a scan of all siblings.
  struct TNameBatch;
  void AccountNames(TNameBatch& batch, const std::string& prefix) const;
  mutable std::unique_ptr<TNameBatch> NameBatch_;

  TzmSystemNode* Parent_ = nullptr;
  std::string Name_;
  std::uint8_t CheckState_ = 0;
};

class TzmSystem {
 public:
  explicit TzmSystem(TzmNodeClass rootClass);
  virtual ~TzmSystem();
  TzmSystem(const TzmSystem&) = delete;
  TzmSystem& operator=(const TzmSystem&) = delete;

  TzmSystemNode* Root() const { return Root_.get(); }
  IzmTreeControl* Treeview() const { return Treeview_; }
  void SetTreeview(IzmTreeControl* view);
  void RefreshTreeview();

 private:
  std::unique_ptr<TzmSystemNode> Root_;
  int AttachLock = 0;
  IzmTreeControl* Treeview_ = nullptr;
};
