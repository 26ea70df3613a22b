#pragma once
// The sub-windows of the animation page: "Number of Frames", "Animation Effect Timing", "Cel
// Properties", "Mass Copy/Clear", "Autocomplete" and "Mass Modify". Each works on copies of its
// values and acts on the animation only after OK. The three mass windows remember their settings
// while the editor runs, a range ending at the last frame meaning the last frame of whatever
// animation comes next.

#include "database/AnimationPageKit.h"

class QWidget;

namespace tess {

// Each returns whether the animation changed.
bool RunFrameCount(QWidget* owner, TLcfAnimationItem& animation);
// Edits timing entry position at (-1: a new entry), then sorts the list.
bool RunTiming(QWidget* owner, TLcfAnimationItem& animation, int at);
bool RunCelProperties(QWidget* owner, TLcfAnimationItem& animation, int frame, int cel);
bool RunMassCopy(QWidget* owner, TLcfAnimationItem& animation);
bool RunAutocomplete(QWidget* owner, TLcfAnimationItem& animation);
bool RunMassModify(QWidget* owner, TLcfAnimationItem& animation);

// What the mass windows remember (reset by tests).
struct TMassMemory {
  bool copy = true;  // "Copy", else "Clear"
  TFrameRange copyRange;
  int destination = 1;
  TFrameRange autoRange;
  int celFirst = 1, celLast = 8;
  TAutocompleteCarry carry{true, true, true};
  TMassModify modify;
};
TMassMemory& MassMemory();

}  // namespace tess
