// Loads map tree files from arbitrary bytes. A tree that loads must save and reload to the same
// bytes, and build a view, take its order back from the view and delete nodes without fault.
#include <cstdlib>
#include <unordered_set>

#include "FakeMapTreeView.h"
#include "maps/LD_MapTree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
  TLcfMapTree tree;
  try {
    tree.LoadFromBytes(Bytes(data, data + size));
  } catch (const ETessError&) {
    if (tree.Count() != 0 || !tree.order.empty()) std::abort();  // a failed load changes nothing
    return 0;
  }
  std::unordered_set<int32_t> seen;
  for (int32_t id : tree.order)
    if (!tree.FindById(id) || !seen.insert(id).second) std::abort();

  Bytes once = tree.SaveToBytes();
  TLcfMapTree again;
  again.LoadFromBytes(once);
  Bytes twice = again.SaveToBytes();
  TLcfMapTree third;
  third.LoadFromBytes(twice);
  if (third.SaveToBytes() != twice) std::abort();

  if (tree.Count() > 2000) return 0;  // the fake view is quadratic
  for (bool areas : {true, false}) {
    test::TFakeView view;
    tree.BuildView(view, areas);
    // Every shown node appears once.
    int shown = 0;
    for (auto v = view.First(); v; v = view.Next(v)) ++shown;
    int expected = 0;
    for (int i = 0; i < tree.Count(); ++i) expected += areas || !tree.ItemAt(i)->IsArea() || tree.ItemAt(i)->Id() == 0;
    if (shown != expected) std::abort();
    tree.SyncOrderFromView(view);
    if (static_cast<int>(tree.order.size()) != tree.Count()) std::abort();
  }
  tree.OwningMap(tree.currentId);
  if (tree.Count() > 1) tree.DeleteNode(tree.ItemAt(1)->Id());
  if (tree.Count() > 2) tree.MoveNode(tree.ItemAt(tree.Count() - 1)->Id(), tree.ItemAt(tree.Count() / 2)->Id());
  tree.AddNode(tree.currentId, 4999);
  for (int32_t id : tree.order)
    if (!tree.FindById(id)) std::abort();
  return 0;
}
