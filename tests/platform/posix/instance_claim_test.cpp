#include "platform/posix/instance_claim.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace cindral::platform::posix {
namespace {

std::filesystem::path FreshFolder() {
    char pattern[] = "/tmp/cindral-claim-XXXXXX";
    return mkdtemp(pattern);
}

// Ten copies started at once (released together through a pipe) race for
// the claim: exactly one wins, and each loser sees it held elsewhere.
TEST(LockFileInstanceClaim, OfTenSimultaneousStartsExactlyOneWins) {
    const auto lock = FreshFolder() / "cindral.lock";
    int go[2];
    int results[2];
    ASSERT_EQ(pipe(go), 0);
    ASSERT_EQ(pipe(results), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < 10; ++i) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(go[1]);
            char c;
            if (read(go[0], &c, 1) != 0) _exit(3);  // waits for the start
            LockFileInstanceClaim claim(lock);
            const char r = claim.TryClaim() ? 'W' : (claim.HeldElsewhere() ? 'L' : '?');
            if (write(results[1], &r, 1) != 1) _exit(4);
            sleep(2);  // the winner holds on while the others look
            _exit(0);
        }
        children.push_back(pid);
    }
    close(go[0]);
    close(go[1]);  // all start now
    close(results[1]);
    int won = 0, lost = 0, other = 0;
    char r;
    while (read(results[0], &r, 1) == 1) {
        won += r == 'W';
        lost += r == 'L';
        other += r != 'W' && r != 'L';
        if (won + lost + other == 10) break;
    }
    for (pid_t pid : children) waitpid(pid, nullptr, 0);
    EXPECT_EQ(won, 1);
    EXPECT_EQ(lost, 9);
    EXPECT_EQ(other, 0);
}

// The kernel drops the lock with its holder: after the winner ends (here by
// SIGKILL, with no clean-up at all), the next start wins.
TEST(LockFileInstanceClaim, TheClaimEndsWithItsHolderHoweverItEnds) {
    const auto lock = FreshFolder() / "cindral.lock";
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        LockFileInstanceClaim claim(lock);
        const char r = claim.TryClaim() ? 'W' : '?';
        if (write(ready[1], &r, 1) != 1) _exit(4);
        pause();
        _exit(0);
    }
    char r = 0;
    ASSERT_EQ(read(ready[0], &r, 1), 1);
    ASSERT_EQ(r, 'W');
    {
        LockFileInstanceClaim second(lock);
        EXPECT_TRUE(second.HeldElsewhere());
        EXPECT_FALSE(second.TryClaim());
    }
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    LockFileInstanceClaim third(lock);
    EXPECT_FALSE(third.HeldElsewhere());
    EXPECT_TRUE(third.TryClaim());
    EXPECT_FALSE(third.HeldElsewhere());  // its own claim is not "elsewhere"
}

TEST(LockFileInstanceClaim, LockLivesInTheRuntimeFolder) {
    EXPECT_EQ(InstanceLockPath(std::string("/run/user/1000")),
              std::filesystem::path("/run/user/1000/cindral.lock"));
    const auto fallback = InstanceLockPath(std::nullopt);
    EXPECT_EQ(fallback.parent_path(), std::filesystem::temp_directory_path());
    EXPECT_EQ(fallback.filename(), "cindral-" + std::to_string(getuid()) + ".lock");
    EXPECT_EQ(InstanceLockPath(std::string()), fallback);
}

}  // namespace
}  // namespace cindral::platform::posix
