#include "session/Session.h"

#include <gtest/gtest.h>

#include "support/TestDatabase.h"

using testing_support::TestDatabase;

namespace {

class SessionTest : public ::testing::Test {
  protected:
    TestDatabase t;
    platform::FixedClock clock{{2026, 12, 8, 10, 0, 0}};
};

}  // namespace

TEST_F(SessionTest, CarriesTheCurrentPersonTheFoldersTheClockAndTheDatabase) {
    auto p = t.person("121212121", "0002", "BG121212121", false);
    p.flPredst = "A";
    p.last = true;
    db::UpdatePerson(t.db(), p.bulstat, p.klon, p);
    const session::Session s(t.db(), clock, "/data", "/out");
    EXPECT_TRUE(s.personIsCurrent());
    EXPECT_TRUE(s.filerIsAuthorised());
    EXPECT_TRUE(s.onBranch());
    EXPECT_EQ(s.person().klon, "0002");
    EXPECT_EQ(s.dataFolder(), "/data");
    EXPECT_EQ(s.outputFolder(), "/out");
    EXPECT_EQ(&s.database(), &t.db());
    EXPECT_EQ(s.clock().now().year, 2026);
}

TEST_F(SessionTest, ReloadFollowsTheCurrentRowAndClearsOnlyTheBulstatWhenNoneIsLeft) {
    t.person("121212121", "", "BG121212121", true);
    t.person("121212121", "0001", "BG121212121", false);
    session::Session s(t.db(), clock, "/data", "/out");
    EXPECT_FALSE(s.onBranch());
    EXPECT_FALSE(s.filerIsAuthorised());

    db::MakeCurrent(t.db(), "121212121", "0001");
    EXPECT_TRUE(s.reload());
    EXPECT_TRUE(s.onBranch());

    t.db().execute("DELETE FROM EDANNI");
    EXPECT_FALSE(s.reload());
    EXPECT_FALSE(s.personIsCurrent());
    EXPECT_EQ(s.person().vin, "BG121212121") << "the rest of the last person stays";
}
