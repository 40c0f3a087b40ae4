#include "support/test_driver.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include <gtest/gtest.h>

#include "main_window/form2.h"
#include "program/windows.h"

namespace testsupport {

namespace {

std::filesystem::path writeFile(const std::filesystem::path& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!(out << contents).flush())
        throw std::runtime_error("cannot write " + path.string());
    return path;
}

}  // namespace

std::optional<std::string> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::optional(std::string(std::istreambuf_iterator<char>(in), {})) : std::nullopt;
}

TempFolder::TempFolder(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::system_error(errno, std::generic_category(), "cannot create " + pattern);
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

TestDriver::TestDriver()
{
    platform_.setSettingsFolder(settings_.path());
    platform_.programInfo().folder = program_.path();
    platform_.programInfo().exeName = "darnex";
    platform_.onRunaway = [](const std::string& reason) { ADD_FAILURE() << "HeadlessPlatform: " << reason; };
}

TestDriver::~TestDriver()
{
    // Newest first: a later window may refer to an earlier one.
    while (!windows_.empty())
        windows_.pop_back();
    run_.reset();
}

common::WindowRegistry& TestDriver::createProgram(platform::busctl::AdapterControl& control)
{
    if (run_)
        throw std::logic_error("the program's run is built already");
    run_ = std::make_unique<program::Windows>(platform_, control);
    return *run_;
}

main_window::Form2& TestDriver::startProgram(platform::busctl::AdapterControl& control)
{
    if (run_ && &run_->adapterControl() != &control)
        throw std::logic_error("the program's run uses another adapter control");
    auto& form2 = (run_ ? *run_ : createProgram(control)).form2();
    form2.show();
    return form2;
}

common::WindowRegistry& TestDriver::program()
{
    if (!run_)
        throw std::logic_error("no program started");
    return *run_;
}

std::filesystem::path TestDriver::writeSettingsFile(const std::string& name, const std::string& contents) const
{
    return writeFile(settingsFolder() / name, contents);
}

std::filesystem::path TestDriver::writeProgramFile(const std::string& name, const std::string& contents) const
{
    return writeFile(programFolder() / name, contents);
}

std::optional<std::string> TestDriver::readSettingsFile(const std::string& name) const
{
    return readFile(settingsFolder() / name);
}

}  // namespace testsupport
