// Input files read whole: the document host parses them in place, so a file read short
// or a buffer without its zeroed padding would be parsed as some other text.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <string>

#include "platform/LargeMemory.h"
#include "platform/posix/PosixPlatform.h"
#include "support/TempDir.h"

namespace t2v {
namespace {

using Kind = platform::InputFileFailure::Kind;

class LargeInputFile : public ::testing::Test {
protected:
    // Reads `path` with `spare` bytes of padding; the failure's kind (None on success).
    Kind read(const std::string& path, std::uint64_t maxBytes, std::size_t spare = 64) {
        failure = {};
        const bool ok = platform.readLargeInputFile(path, maxBytes, spare, buffer, failure);
        EXPECT_EQ(ok, failure.kind == Kind::None);
        return failure.kind;
    }
    platform::PosixPlatform platform{std::cout, std::cerr};
    platform::LargeBuffer buffer;
    platform::InputFileFailure failure;
    test::TempDir dir;
};

TEST_F(LargeInputFile, TheTextIsFollowedByZeroedPaddingAndTheLimitIsInclusive) {
    const std::string text = "{\"format\": \"tarvo-model\"}";
    test::WriteText(dir / "a.json", text);
    ASSERT_EQ(read(dir / "a.json", text.size() + 1, 64), Kind::None);
    ASSERT_EQ(buffer.size(), text.size());
    EXPECT_EQ(std::string(buffer.data(), buffer.size()), text);
    for (std::size_t i = 0; i < 64; ++i) ASSERT_EQ(buffer.data()[text.size() + i], '\0') << i;

    EXPECT_EQ(read(dir / "a.json", text.size()), Kind::None);
    EXPECT_EQ(read(dir / "a.json", text.size() - 1), Kind::TooLarge);
    // A failed read leaves the caller's buffer as it was.
    EXPECT_EQ(std::string(buffer.data(), buffer.size()), text);
}

TEST_F(LargeInputFile, OnlyARegularFileIsRead) {
    EXPECT_EQ(read(dir.path(), 1 << 20), Kind::Folder);
    EXPECT_EQ(read("/dev/null", 1 << 20), Kind::Device);
    const std::string pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(read(pipe, 1 << 20), Kind::Pipe);  // refused at once, not waited on

    // A socket cannot even be opened; it is still named for what it is.
    const std::string socketPath = dir / "s";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof(address.sun_path));
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    EXPECT_EQ(read(socketPath, 1 << 20), Kind::Socket);
    std::string why;
    EXPECT_FALSE(platform.readInputFile(socketPath, 1 << 20, why));
    EXPECT_EQ(why, "not a regular file");
    ::close(fd);

    EXPECT_EQ(read(dir / "absent", 1 << 20), Kind::CannotOpen);
    EXPECT_EQ(failure.reason, std::strerror(ENOENT));
}

// The kernel's attribute files claim a page and hold a few bytes, as a file that shrank
// between its size and its reading would.
TEST_F(LargeInputFile, AFileThatEndsBeforeItsSizeIsAFailureNotShorterText) {
    const std::string path = "/sys/devices/system/cpu/online";
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 64) {
        GTEST_SKIP() << "no attribute file that claims more than it holds";
    }
    EXPECT_EQ(read(path, 1 << 20), Kind::EndedEarly);
    // Nor is a function file's text: a ground-motion record cut short is another record.
    std::string why;
    EXPECT_FALSE(platform.readInputFile(path, 1 << 20, why));
    EXPECT_EQ(why, "the file ended early");
}

}  // namespace
}  // namespace t2v
