#include "model/ZMTreeSystem.h"

#include <algorithm>

struct TzmSystemNode::TNameBatch {
  std::string Prefix;
  bool Ready = false;        // Used holds the children up to Accounted
  size_t Limit = 0;          // the largest number a name of the batch can need
  size_t Accounted = 0;
  size_t Next = 1;           // no number below it is free
  std::vector<bool> Used;
};

namespace {
// The number n of a name formed as prefix + n (plain decimal, no leading zero),
// or 0 when the name is not formed that way or n exceeds `limit`.
size_t FormedNumber(const std::string& name, const std::string& prefix, size_t limit) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
  if (name[prefix.size()] == '0') return 0;  // "Cell 01" is never a formed name
  size_t value = 0;
  for (size_t i = prefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;
    if (value <= limit) value = value * 10 + static_cast<size_t>(name[i] - '0');
  }
  return value <= limit ? value : 0;
}

// Ends a batch of new names however SetChildCount leaves.
template <typename T>
struct TResetOnExit {
  std::unique_ptr<T>& Held;
  ~TResetOnExit() { Held.reset(); }
};
}  // namespace

TzmSystemNode::TzmSystemNode() = default;

TzmSystemNode::~TzmSystemNode() {
  // Nodes are destroyed only once detached (DeleteChild, Delete, SetChildCount),
  // so there is no parent left to tell; the children go first child first.
  if (ViewNode) {
    while (ChildCount() >= 1) DeleteChild(0);
  } else {
    // Nothing shows this list: the same order without shifting it at each step.
    std::reverse(Children.begin(), Children.end());
    while (!Children.empty()) {
      std::unique_ptr<TzmSystemNode> child = std::move(Children.back());
      Children.pop_back();
      child->Parent_ = nullptr;
      if (child->ViewNode) {
        const TzmViewNode row = child->ViewNode;
        row.Control->DeleteNode(row);
        child->ForgetViewNodes(row.Control);
      }
    }
  }
  if (ViewNode) ViewNode.Control->DeleteNode(ViewNode);
}

void TzmSystemNode::SetChildCount(int count) {
  if (count < 0) count = 0;
  const int old = ChildCount();
  if (count < old) {
    for (int i = old - 1; i >= count; --i) DeleteChild(i);
  } else if (count > old) {
    NameBatch_ = std::make_unique<TNameBatch>();
    NameBatch_->Limit = static_cast<size_t>(count) + 1;
    TResetOnExit<TNameBatch> endBatch{NameBatch_};
    for (int i = old; i < count; ++i) {
      TzmSystemNode* child = AddChild();
      if (child) child->RefreshView();
    }
  }
}

std::string TzmSystemNode::GetText() const { return {}; }
std::string TzmSystemNode::GetLowAlarmText() const { return {}; }
std::string TzmSystemNode::GetHighAlarmText() const { return {}; }
std::string TzmSystemNode::GetLowResistanceText() const { return {}; }
std::string TzmSystemNode::GetHighResistanceText() const { return {}; }

void TzmSystemNode::SetName(const std::string& value) {
  if (value == Name_) return;
  // A child already counted in a batch of new names is renamed: count again.
  if (Parent_ && Parent_->NameBatch_ &&
      (Parent_->Children.back().get() != this || Parent_->NameBatch_->Accounted == Parent_->Children.size()))
    Parent_->NameBatch_->Ready = false;
  Name_ = value;
  RefreshView();
}

void TzmSystemNode::SetLabel(const std::string&) {}
void TzmSystemNode::SetLowAlarmText(const std::string&) {}
void TzmSystemNode::SetHighAlarmText(const std::string&) {}
void TzmSystemNode::SetLowResistanceText(const std::string&) {}
void TzmSystemNode::SetHighResistanceText(const std::string&) {}

TzmNodeClass TzmSystemNode::NodeClass() const { return &CreateNodeOf<TzmSystemNode>; }

int TzmSystemNode::GetImageIndex() const { return -1; }

TzmSystemNode* TzmSystemNode::AddChild() { return InsertChildOfClass(&CreateNodeOf<TzmSystemNode>); }

void TzmSystemNode::DeleteChild(int index) { RemoveChild(index).reset(); }

void TzmSystemNode::Delete() {
  if (Parent_) {
    Parent_->DeleteChild(Parent_->IndexOfChild(this));
  } else {
    // A node without a parent is owned by whoever created it (the system owns
    // its root), so only its subtree can go here; the owner frees the node.
    SetChildCount(0);
  }
}

TzmSystemNode* TzmSystemNode::GetChild(int index) const {
  if (index < 0 || index >= ChildCount())
    throw EzmListIndexError("List index out of bounds (" + std::to_string(index) + ")");
  return Children[static_cast<size_t>(index)].get();
}

int TzmSystemNode::IndexOfChild(const TzmSystemNode* node) const {
  for (size_t i = 0; i < Children.size(); ++i)
    if (Children[i].get() == node) return static_cast<int>(i);
  return -1;
}

TzmSystemNode* TzmSystemNode::InsertChildOfClass(TzmNodeClass nodeClass) {
  std::unique_ptr<TzmSystemNode> child = nodeClass();
  child->Parent_ = this;
  Children.push_back(std::move(child));
  if (ViewNode) {
    ViewNode.Control->ReinitNode(ViewNode);
    ViewNode.Control->InvalidateToBottom(ViewNode);
  }
  return Children.back().get();
}

std::unique_ptr<TzmSystemNode> TzmSystemNode::RemoveChild(int index) {
  GetChild(index);  // raises the list's index error
  std::unique_ptr<TzmSystemNode> child = std::move(Children[static_cast<size_t>(index)]);
  child->Parent_ = nullptr;
  Children.erase(Children.begin() + index);
  if (child->ViewNode) {
    const TzmViewNode row = child->ViewNode;
    row.Control->DeleteNode(row);
    // The control dropped the rows of the whole subtree with it; none of them
    // may be named to it again (for instance while the subtree is destroyed).
    child->ForgetViewNodes(row.Control);
  }
  if (ViewNode) ViewNode.Control->SetChildCount(ViewNode, ChildCount());
  return child;
}

void TzmSystemNode::ForgetViewNodes(const IzmTreeControl* control) {
  if (ViewNode.Control == control) ViewNode = {};
  for (const auto& child : Children) child->ForgetViewNodes(control);
}

void TzmSystemNode::AccountNames(TNameBatch& batch, const std::string& prefix) const {
  if (!batch.Ready || batch.Prefix != prefix || batch.Accounted > Children.size()) {
    batch.Prefix = prefix;
    batch.Used.assign(batch.Limit + 1, false);
    batch.Accounted = 0;
    batch.Next = 1;
    batch.Ready = true;
  }
  for (; batch.Accounted < Children.size(); ++batch.Accounted)
    if (size_t n = FormedNumber(Children[batch.Accounted]->Name_, prefix, batch.Limit)) batch.Used[n] = true;
}

std::string TzmSystemNode::MakeUniqueChildName(const std::string& prefix) const {
  // The answer is at most ChildCount + 1: mark which of 1..ChildCount the
  // children use and take the lowest free one. While SetChildCount grows the
  // list, the marks are kept between new children, each of which only adds its
  // own name, so growing a group by n children costs O(n) in all.
  if (NameBatch_ && Children.size() + 1 <= NameBatch_->Limit) {
    TNameBatch& batch = *NameBatch_;
    AccountNames(batch, prefix);
    while (batch.Next <= batch.Limit && batch.Used[batch.Next]) ++batch.Next;
    return prefix + std::to_string(batch.Next);
  }
  const size_t limit = Children.size() + 1;
  std::vector<bool> used(limit + 1, false);
  for (const auto& child : Children)
    if (size_t n = FormedNumber(child->Name_, prefix, limit)) used[n] = true;
  size_t n = 1;
  while (n <= limit && used[n]) ++n;
  return prefix + std::to_string(n);
}

int TzmSystemNode::GetNumber() const {
  if (Number >= 0) return Number;
  return Parent_ ? Parent_->IndexOfChild(this) : -1;
}

int TzmSystemNode::ClearNumber() {
  const int previous = Number;
  Number = -1;
  return previous;
}

void TzmSystemNode::SetCheckState(std::uint8_t value) {
  if (value == CheckState_) return;
  CheckState_ = value;
  if (ViewNode) ViewNode.Control->SetCheckState(ViewNode, value);
  RefreshView();
}

void TzmSystemNode::RefreshView() const {
  if (ViewNode) ViewNode.Control->RepaintNode(ViewNode);
}

void TzmSystemNode::SelectInView() const {
  if (!ViewNode) return;
  IzmTreeControl* control = ViewNode.Control;
  control->ClearSelection();
  control->ExpandAncestors(ViewNode);
  control->SelectNode(ViewNode);
  control->FocusNode(ViewNode);
  control->RepaintNode(ViewNode);
}

TzmSystem::TzmSystem(TzmNodeClass rootClass) : Root_(rootClass()) {}

TzmSystem::~TzmSystem() {
  SetTreeview(nullptr);
  Root_.reset();
}

void TzmSystem::SetTreeview(IzmTreeControl* view) {
  if (AttachLock >= 1 || view == Treeview_) return;
  ++AttachLock;
  if (IzmTreeControl* old = Treeview_) {
    old->SetSystem(nullptr);
    // A detached control shows nothing of this tree any more.
    Root_->ForgetViewNodes(old);
  }
  Treeview_ = view;
  if (view) view->SetSystem(this);
  --AttachLock;
}

void TzmSystem::RefreshTreeview() {
  IzmTreeControl* view = Treeview_;
  SetTreeview(nullptr);
  SetTreeview(view);
}
