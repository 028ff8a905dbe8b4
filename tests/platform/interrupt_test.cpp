// A termination request while the writer holds interrupts waits for the hold to end, then
// removes the temporaries as any other request does. Run in a child process, which the
// request ends.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TempDir.h"
#include "platform/posix/PosixPlatform.h"

namespace t2v {
namespace {

namespace fs = std::filesystem;

std::size_t temporariesIn(const std::string& folder) {
    std::size_t n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        n += platform::Platform::IsTemporaryName(e.path().filename().string()) ? 1 : 0;
    return n;
}

TEST(Interrupts, RequestDuringAHoldWaitsForItsEndThenRemovesTheTemporaries) {
    test::TempDir dir;
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        platform::PosixPlatform platform(std::cout, std::cerr);
        platform.removeTemporariesOnInterrupt();
        std::string error;
        auto file = platform.createFile(dir / "S", error);
        if (!file || !file->write("x", 1)) ::_exit(10);
        platform.holdInterrupts(true);
        ::kill(::getpid(), SIGTERM);
        // Still here, with the temporary in place: the request waits.
        test::WriteText(dir / "held", std::to_string(temporariesIn(dir.path())));
        platform.holdInterrupts(false);
        ::_exit(11);  // not reached: the request ends the process at the release
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    ASSERT_TRUE(fs::exists(dir / "held"));
    EXPECT_EQ(test::ReadBytes(dir / "held"), std::vector<std::uint8_t>{'1'});  // one temporary while held
    EXPECT_EQ(temporariesIn(dir.path()), 0u);                                  // removed once the request took effect
}

}  // namespace
}  // namespace t2v
