#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "QvTool.h"

namespace qv::tool {

// Runs qvtool in-process on files in a directory of its own.
class QvToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("qvtool-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "qvtool");
        std::vector<const char*> argv;
        for (const auto& a : args) {
            argv.push_back(a.c_str());
        }
        m_out.str({});
        m_err.str({});
        return RunQvTool(static_cast<int>(argv.size()), argv.data(), m_out, m_err);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path m_dir;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

}  // namespace qv::tool
