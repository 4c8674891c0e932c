// tests/s/gui/events/StateActionTest.cpp
#include <gmock/gmock.h>

#include "s/gui/events/Disabler.h"
#include "s/gui/events/Editabler.h"
#include "s/gui/events/Enabler.h"
#include "s/gui/events/UnEditabler.h"
#include "support/Pooled.h"
#include "support/gui/TestPanel.h"

namespace s::gui::events {
namespace {

using tests::Pooled;
using tests::gui::TestPanel;

TEST(StateAction, EachActionSetsItsStateOnEveryTargetOnlyForItsOwnSource) {
    Pooled<TestPanel> source, other, first, second;
    Pooled<Enabler> enabler;
    Pooled<Disabler> disabler;
    Pooled<Editabler> editabler;
    Pooled<UnEditabler> unEditabler;
    StateAction* actions[] = {disabler.get(), enabler.get(), unEditabler.get(), editabler.get()};
    for (StateAction* action : actions) {
        action->setSource(source.get());
        action->addTarget(first.get());
        action->addTarget(second.get());
    }
    struct Step {
        StateAction* action;
        bool enabled, editable;
    } steps[] = {
        {disabler.get(), false, true},
        {enabler.get(), true, true},
        {unEditabler.get(), true, false},
        {editabler.get(), true, true},
    };
    for (const Step& step : steps) {
        // Another component's event changes nothing.
        first->setEnabled(!step.enabled);
        first->setEditable(!step.editable);
        step.action->onEvent(static_cast<IComponent*>(other.get()), 1);
        EXPECT_EQ(first->isEnabled(), !step.enabled) << step.action->classId();
        EXPECT_EQ(first->isEditable(), !step.editable) << step.action->classId();
        // The source's does, whatever its code.
        first->setEnabled(true);
        first->setEditable(true);
        step.action->onEvent(static_cast<IComponent*>(source.get()), -5);
        EXPECT_EQ(first->isEnabled(), step.enabled) << step.action->classId();
        EXPECT_EQ(second->isEnabled(), step.enabled) << step.action->classId();
        EXPECT_EQ(first->isEditable(), step.editable) << step.action->classId();
        EXPECT_EQ(second->isEditable(), step.editable) << step.action->classId();
    }
}

TEST(StateAction, ResetForgetsSourceAndTargets) {
    Pooled<TestPanel> source, target;
    Enabler* action = s::thread::Pool<Enabler>::obtain();
    action->setSource(source.get());
    action->addTarget(target.get());
    action->releaseToPool();
    Pooled<Enabler> again;  // the pool hands back the same object, reset
    EXPECT_EQ(again->getSource(), nullptr);
    EXPECT_EQ(again->getTargetCount(), 0u);
}

}  // namespace
}  // namespace s::gui::events
