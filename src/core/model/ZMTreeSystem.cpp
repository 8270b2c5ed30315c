#include "model/ZMTreeSystem.h"

TzmSystemNode::TzmSystemNode() = default;

TzmSystemNode::~TzmSystemNode() {
  // Nodes are destroyed only once detached (DeleteChild, Delete, SetChildCount),
  // so there is no parent left to tell; the children go first child first.
  while (ChildCount() >= 1) DeleteChild(0);
  if (ViewNode) ViewNode.Control->DeleteNode(ViewNode);
}

void TzmSystemNode::SetChildCount(int count) {
  if (count < 0) count = 0;
  const int old = ChildCount();
  if (count < old) {
    for (int i = old - 1; i >= count; --i) DeleteChild(i);
  } else if (count > old) {
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

std::string TzmSystemNode::MakeUniqueChildName(const std::string& prefix) const {
  // The answer is at most ChildCount + 1: mark which of 1..ChildCount the
  // children use (a name is "prefix" + the number in plain decimal) and take the
  // lowest free one. One pass keeps growing a group to thousands of cells quick.
  const size_t limit = Children.size() + 1;
  std::vector<bool> used(limit + 1, false);
  for (const auto& child : Children) {
    const std::string& name = child->Name_;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (name[prefix.size()] == '0') continue;  // "Cell 01" is never a formed name
    size_t value = 0;
    bool digits = true;
    for (size_t i = prefix.size(); i < name.size() && digits; ++i) {
      if (name[i] < '0' || name[i] > '9') digits = false;
      else if (value <= limit) value = value * 10 + static_cast<size_t>(name[i] - '0');
    }
    if (digits && value >= 1 && value <= limit) used[value] = true;
  }
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
