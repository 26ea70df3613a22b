#pragma once
// A database stand-in with chosen list sizes, made current for the life of the object.

#include "database/DataBaseLinks.h"

namespace tess::test {

class TFakeLinks final : public TDataBaseLinks {
 public:
  TFakeLinks(int conditions, int attributes, bool byClass = false)
      : conditions_(conditions), attributes_(attributes), byClass_(byClass), scope_(this) {}
  int ConditionCount() const override { return conditions_; }
  int AttributeCount() const override { return attributes_; }
  int HeroCount() const override { return 0; }
  bool ItemUsableByClass() const override { return byClass_; }

 private:
  int conditions_, attributes_;
  bool byClass_;
  TDataBaseLinksScope scope_;
};

}  // namespace tess::test
