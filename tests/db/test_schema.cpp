#include "db/Connection.h"
#include "db/Error.h"
#include "db/Schema.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zqvr;

TEST(Schema, FreshDatabaseGetsTheCurrentVersion)
{
    test::TestDatabase db;
    EXPECT_EQ(db::Schema::versionOf(db.conn()), db::Schema::currentVersion());
    // A second ensure on an up-to-date file changes nothing.
    db::Schema::ensure(db.conn());
    EXPECT_EQ(db.count(QStringLiteral("Zqvr_Schema")), 1);
}
