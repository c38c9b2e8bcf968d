#pragma once
// What a screen's test needs beyond a database: the test database put into
// the process-wide host context, and the scripted services.
#include "support/ScriptedServices.h"
#include "support/TestDatabase.h"

class QWidget;

namespace zqvr::test {

// Sets the test database and its company in the host context that every screen reads.
void installInHostContext(TestDatabase& db);

// Types the text into the widget one key at a time, as a user would, accented
// letters included (QTest::keyClicks takes ASCII only).
void typeText(QWidget* widget, const QString& text);

} // namespace zqvr::test
