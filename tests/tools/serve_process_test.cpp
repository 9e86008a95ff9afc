// The tavix-sim executable serving on a pseudo-terminal: it prints the device, makes the link,
// answers a command and logs it, and removes the link when stopped.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "recorder_image.h"

namespace {

namespace fs = std::filesystem;

TEST(ServeProcess, AnswersOnThePseudoTerminalAndLogs) {
    std::string pattern = (fs::temp_directory_path() / "tavix-serve-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    std::vector<uint8_t> image(tavix::kImageSize, 64);
    std::ofstream(dir / "img.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), image.size());

    const std::string tool = std::string(TAVIX_BUILD_DIR) + "/tools/tavix_sim/tavix-sim";
    const std::string link = (dir / "tty").string();
    const std::string log = (dir / "sim.log").string();
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(out[1], 1);
        execl(tool.c_str(), "tavix-sim", "serve", "--image", (dir / "img.dat").c_str(), "--link",
              link.c_str(), "--log", log.c_str(), "--baud", "115200", nullptr);
        _exit(127);
    }
    close(out[1]);
    std::string printed;
    char c = 0;
    pollfd p{out[0], POLLIN, 0};
    while (poll(&p, 1, 5000) > 0 && read(out[0], &c, 1) == 1 && c != '\n')
        printed += c;
    close(out[0]);
    EXPECT_EQ(printed.rfind("/dev/pts/", 0), 0u) << printed;
    EXPECT_EQ(fs::read_symlink(link).string(), printed);

    const int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    ASSERT_EQ(write(fd, "/M", 2), 2);
    std::string reply;
    pollfd q{fd, POLLIN, 0};
    while (reply.size() < 2 && poll(&q, 1, 5000) > 0 && read(fd, &c, 1) == 1)
        reply += c;
    close(fd);
    EXPECT_EQ(reply, "OK");

    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    std::ifstream in(log);
    const std::string logged{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(logged.find("/M main at 1200 ft"), std::string::npos) << logged;
    fs::remove_all(dir);
}

}  // namespace
