#include "events/LD_Event.h"

#include <cstdio>

namespace tess {

void TLcfEventCondition::DescribeChunks(TCatalogVarData& v) {
  v.Byte(1, flags);
  v.Integer(2, switchAId, 1);
  v.Integer(3, switchBId, 1);
  v.Integer(4, variableId, 1);
  v.Integer(5, variableValue, 0);
  v.Integer(6, itemId, 1);
  // Omitted when 0, but a reset condition names hero 1, so it is usually written.
  v.Integer(7, heroId, 0, 1);
  v.Integer(8, timer1Seconds, 0);
  v.Integer(9, timer2Seconds, 0);
  v.Integer(10, variableCompare, 1);
}

void TLcfEventPageItem::DescribeChunks(TCatalogVarData& v) {
  v.Record(2, condition);
  v.String(21, graphicName);
  v.Integer(22, graphicIndex, 0);
  v.Byte(23, direction, 2);
  v.Integer(24, pattern, 1);
  v.Byte(25, transparent);
  v.Byte(31, moveType);
  v.Integer(32, moveFrequency, 3);
  v.Byte(33, trigger);
  v.Byte(34, layer);
  v.Byte(35, forbidOverlap);
  v.Byte(36, animationType);
  v.Integer(37, moveSpeed, 3);
  v.Record(41, moveRoute);
  DescribeScript(v, 51, 52);
}

void TLcfEventPageItem::ChangeGraphic(const std::string& name, int32_t index) {
  bool wasSheet = !graphicName.empty();
  bool isSheet = !name.empty();
  if (!wasSheet && isSheet) {
    if (layer == 0) layer = 1;
    animationType = 0;
  } else if (wasSheet && !isSheet) {
    if (layer == 1) layer = 0;
    animationType = 0;
  }
  graphicName = name;
  graphicIndex = index;
}

void TLcfEventItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.Integer(2, x, 0);
  v.Integer(3, y, 0);
  v.List(5, pages, 1);
}

std::string DefaultEventName(int32_t id) {
  char text[24];
  std::snprintf(text, sizeof text, "EV%.4d", static_cast<int>(id));
  return text;
}

}  // namespace tess
