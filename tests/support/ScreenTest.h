#pragma once
// What a screen's test needs beyond a database: the test database put into
// the process-wide host context, and the scripted services.
#include "support/ScriptedServices.h"
#include "support/TestDatabase.h"

namespace zqvr::test {

// Sets the test database and its company in the host context that every screen reads.
void installInHostContext(TestDatabase& db);

} // namespace zqvr::test
