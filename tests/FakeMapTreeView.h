#pragma once
// Test helper: the map tree's view interface over a tree in memory.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "maps/LD_MapTree.h"

namespace tess::test {

// A tree control in memory.
class TFakeView : public TMapTreeView {
 public:
  struct TNode {
    TNode* parent = nullptr;
    std::vector<TNode*> children;
    std::string caption;
    int32_t id = 0;
    int image = -1;
    bool expanded = false;
  };

  void Clear() override {
    nodes_.clear();
    top_.clear();
    selected = nullptr;
  }
  Node Add(Node parent, const std::string& caption, int32_t id) override {
    nodes_.push_back(std::make_unique<TNode>());
    TNode* n = nodes_.back().get();
    n->parent = static_cast<TNode*>(parent);
    n->caption = caption;
    n->id = id;
    (n->parent ? n->parent->children : top_).push_back(n);
    return n;
  }
  void SetImageIndex(Node node, int index) override { N(node)->image = index; }
  void SetExpanded(Node node, bool expanded) override { N(node)->expanded = expanded; }
  bool Expanded(Node node) const override { return N(node)->expanded; }
  int32_t IdOf(Node node) const override { return N(node)->id; }
  Node Parent(Node node) const override { return N(node)->parent; }
  int Level(Node node) const override {
    int level = 0;
    for (TNode* p = N(node)->parent; p; p = p->parent) ++level;
    return level;
  }
  Node First() const override { return top_.empty() ? nullptr : top_.front(); }
  Node Next(Node node) const override {
    TNode* n = N(node);
    if (!n->children.empty()) return n->children.front();
    for (; n; n = n->parent) {
      const auto& siblings = n->parent ? n->parent->children : top_;
      auto it = std::find(siblings.begin(), siblings.end(), n);
      if (it + 1 != siblings.end()) return *(it + 1);
    }
    return nullptr;
  }
  void Select(Node node) override { selected = N(node); }

  // The tree as text: "id(children...)" for each top-level node.
  std::string Shape() const {
    std::string s;
    for (TNode* n : top_) s += Shape(n);
    return s;
  }
  // Moves a node (with its subtree) to be the last child of another.
  void Move(int32_t id, int32_t newParent) {
    TNode* n = Find(id);
    auto& from = n->parent ? n->parent->children : top_;
    from.erase(std::find(from.begin(), from.end(), n));
    n->parent = Find(newParent);
    n->parent->children.push_back(n);
  }
  TNode* Find(int32_t id) const {
    for (const auto& n : nodes_)
      if (n->id == id) return n.get();
    return nullptr;
  }

  TNode* selected = nullptr;

 private:
  static TNode* N(Node node) { return static_cast<TNode*>(node); }
  std::string Shape(TNode* n) const {
    std::string s = std::to_string(n->id);
    if (!n->children.empty()) {
      s += "(";
      for (TNode* c : n->children) s += Shape(c) + (c == n->children.back() ? "" : " ");
      s += ")";
    }
    return s;
  }
  std::vector<std::unique_ptr<TNode>> nodes_;
  std::vector<TNode*> top_;
};

}  // namespace tess::test
