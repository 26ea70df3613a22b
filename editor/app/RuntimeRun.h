#pragma once
// One run of the game runtime as test play makes it: started by its plan, with the wait window up
// until it ends, and what it printed kept for the report afterwards.

#include <QString>
#include <optional>

#include "platform/RuntimeLauncher.h"
#include "platform/RuntimeReport.h"

class QWidget;

namespace tess {

// Runs plan and waits in the modal wait window captioned caption, which names what runs (heading,
// such as the game's title). Without a plan, the runtime does not start and whyNoPlan says why.
TRuntimeOutcome RunRuntimeWaiting(const std::optional<TLaunchPlan>& plan, const QString& whyNoPlan,
                                  const QString& caption, const QString& heading, QWidget* owner);

}  // namespace tess
