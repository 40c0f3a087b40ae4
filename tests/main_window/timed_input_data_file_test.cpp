#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sys/stat.h>

#include "main_window/input_data_file.h"
#include "support/test_driver.h"

namespace fs = std::filesystem;
using main_window::InputData;
using main_window::InputDataReadLimit;
using main_window::parseInputData;
using main_window::readFilePrefix;
using main_window::readInputDataFile;
using main_window::TextEnd;

namespace {

struct ParseCase {
    const char* name;
    std::string text;
    std::optional<InputData> expected;
};

class ParseInputData : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseInputData, ReadsTheFirstThreeNumbersOrNothing)
{
    EXPECT_EQ(parseInputData(GetParam().text, TextEnd::WholeFile), GetParam().expected);
}

const InputData Sample{10000, 20000, 300};

INSTANTIATE_TEST_SUITE_P(Forms, ParseInputData, testing::Values(
    ParseCase{"OneLineCommas", "10000,20000,300", Sample},
    ParseCase{"ThreeWindowsLines", "10000\r\n20000\r\n300\r\n", Sample},
    ParseCase{"BlanksAroundSeparators", "  10000 ,\t20000 , 300  ", Sample},
    ParseCase{"BlanksAlone", "10000 20000\t300", Sample},
    ParseCase{"SixteenBitEnds", "-32768,32767,-0", InputData{-32768, 32767, 0}},
    ParseCase{"RestIgnoredAfterLine", "10000\n20000\n300\n\n\nabc", Sample}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(Errors, ParseInputData, testing::Values(
    ParseCase{"Empty", "", std::nullopt},
    ParseCase{"TwoNumbers", "10000,20000", std::nullopt},
    ParseCase{"EmptyFieldBetweenCommas", "10000,,300", std::nullopt},
    ParseCase{"CommaThenLineEnd", "10000,\n20000,\n300", std::nullopt},
    ParseCase{"BlankLineBetween", "10000\n\n20000\n300", std::nullopt},
    ParseCase{"Fraction", "10000,20000.5,300", std::nullopt},
    ParseCase{"LettersAfterThird", "10000,20000,300mA", std::nullopt},
    ParseCase{"Quotes", "\"10000\",20000,300", std::nullopt},
    ParseCase{"PlusSign", "+10000,20000,300", std::nullopt},
    ParseCase{"TooHigh", "33000,16800,4096", std::nullopt},
    ParseCase{"HugeNumber", "0,0,99999999999999999999999", std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(ParseInputDataCut, AThirdNumberRunningToTheCutIsNotTrusted)
{
    // "300" cut from the front of a longer file may be the start of "3000".
    EXPECT_EQ(parseInputData("10000,20000,300", TextEnd::Cut), std::nullopt);
    EXPECT_EQ(parseInputData("10000,20000,300\n", TextEnd::Cut), Sample);
    EXPECT_EQ(parseInputData("10000,20000,300,", TextEnd::Cut), Sample);
}

class InputDataFile : public testing::Test {
protected:
    void write(const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

    testsupport::TempFolder dir{"quelvar-input-"};
    fs::path file = dir.path() / main_window::InputDataFileName;
};

TEST_F(InputDataFile, ReadsAGoodFile)
{
    write("384,16800,4096\r\n");
    EXPECT_EQ(readInputDataFile(file), (InputData{384, 16800, 4096}));
}

TEST_F(InputDataFile, NothingFromAMissingFileADirectoryAPipeOrGarbage)
{
    EXPECT_EQ(readInputDataFile(file), std::nullopt);
    fs::create_directory(file);
    EXPECT_EQ(readInputDataFile(file), std::nullopt);
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);  // would block an open() without O_NONBLOCK
    EXPECT_EQ(readInputDataFile(file), std::nullopt);
    fs::remove(file);
    std::string garbage(4096, '\0');
    std::mt19937 random(7);
    for (char& c : garbage)
        c = static_cast<char>(random());
    write(garbage);
    EXPECT_EQ(readInputDataFile(file), std::nullopt);
}

TEST_F(InputDataFile, AHugeFileIsReadOnlyAsFarAsTheLimit)
{
    write("384,16800,4096\n");
    fs::resize_file(file, std::uintmax_t{1} << 30);  // sparse: a gigabyte of NULs after the numbers

    const auto prefix = readFilePrefix(file, InputDataReadLimit);
    ASSERT_TRUE(prefix);
    EXPECT_EQ(prefix->bytes.size(), InputDataReadLimit);
    EXPECT_FALSE(prefix->wholeFile);
    EXPECT_EQ(readInputDataFile(file), (InputData{384, 16800, 4096}));
}

TEST_F(InputDataFile, NumbersBeyondTheLimitAreAnErrorNotAMisreading)
{
    // The third number straddles the end of what is read.
    const std::string front = "1,2,";
    write(std::string(InputDataReadLimit - front.size() - 2, ' ') + front + "30000\n");
    EXPECT_EQ(readInputDataFile(file), std::nullopt);

    write(std::string(InputDataReadLimit - front.size() - 6, ' ') + front + "30000\n");
    EXPECT_EQ(readInputDataFile(file), (InputData{1, 2, 30000}));
}

}  // namespace
