#pragma once
// Runs the built brenvik-data in a fresh temporary folder: its output, exit
// status and written files are compared byte for byte by the tests.
#include "store/core/safefile.h"
#include "testpaths.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace brenvik {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class BrenvikData : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/brenvik-data-test-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = std::string(tmpl) + "/";
        tool_ = test::ToolsDir() + "/brenvik-data";
        ASSERT_TRUE(std::filesystem::exists(tool_)) << tool_ << " is not built";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Runs the tool with `args`; standard output and error go to files.
    Result Run(const std::vector<std::string>& args) {
        std::vector<char*> argv{tool_.data()};
        std::vector<std::string> copies(args);
        for (auto& a : copies) argv.push_back(a.data());
        argv.push_back(nullptr);
        const std::string outPath = dir_ + ".out", errPath = dir_ + ".err";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        pid_t pid;
        Result r;
        int rc = posix_spawn(&pid, tool_.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(rc, 0);
        if (rc != 0) return r;
        int wstatus = 0;
        ::waitpid(pid, &wstatus, 0);
        EXPECT_TRUE(WIFEXITED(wstatus)) << "the tool did not exit normally";
        r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
        ReadWholeFile(outPath, r.out);
        ReadWholeFile(errPath, r.err);
        std::filesystem::remove(outPath);
        std::filesystem::remove(errPath);
        return r;
    }

    std::string Path(const std::string& name) const { return dir_ + name; }
    void Put(const std::string& name, const std::string& bytes) const {
        WriteFileSafely(Path(name), bytes, "test");
    }
    std::string File(const std::string& name) const {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(Path(name), bytes)) << name;
        return bytes;
    }

    std::string dir_;
    std::string tool_;
};

}  // namespace brenvik
