#include "platform/core/Format.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/DateUtils.h"
#include "platform/core/Exceptions.h"
#include "tests/platform/FormatSettingsGuard.h"

namespace {

class FormatTest : public ::testing::Test {
 protected:
  FormatSettingsGuard Guard;
};

struct Case {
  const char* Fmt;
  std::vector<Variant> Args;
  const char* Text;
};

TEST_F(FormatTest, Integers) {
  const Case Cases[] = {
      {"%d", {5}, "5"},
      {"%d", {-5}, "-5"},
      {"%.2d", {5}, "05"},
      {"%.4d", {2003}, "2003"},
      {"%.2d", {-5}, "-05"},
      {"%.3d", {1234}, "1234"},
      {"%5d", {42}, "   42"},
      {"%-5d|", {42}, "42   |"},
      {"%5.3d", {7}, "  007"},
      {"%05d", {7}, "    7"},  // no zero flag in the classic Format: 05 is a width
      {"%d", {int64_t(9000000000LL)}, "9000000000"},
      {"%d", {uint8_t(200)}, "200"},
      {"%d", {static_cast<short>(-3)}, "-3"},
      {"%u", {-1}, "4294967295"},
      {"%u", {42}, "42"},
      {"%x", {255}, "FF"},
      {"%.4x", {255}, "00FF"},
      {"%.2x", {10}, "0A"},
      {"%x", {-1}, "FFFFFFFF"},
      {"%x", {int64_t(-1)}, "FFFFFFFFFFFFFFFF"},
      {"%D %X", {10, 10}, "10 A"},
      {"%d%.2d%.2d", {2024, 3, 5}, "20240305"},
      {"%.2d%s%.2d%s%.4d", {5, "/", 3, "/", 2024}, "05/03/2024"},
  };
  for (const Case& C : Cases) EXPECT_EQ(Format(C.Fmt, C.Args), C.Text) << C.Fmt;
}

TEST_F(FormatTest, Strings) {
  const Case Cases[] = {
      {"%s", {"abc"}, "abc"},
      {"[%5s]", {"ab"}, "[   ab]"},
      {"[%-5s]", {"ab"}, "[ab   ]"},
      {"[%.2s]", {"abcdef"}, "[ab]"},
      {"[%s]", {VarOleStr("wide")}, "[wide]"},
      {"%s", {42}, "42"},           // a number prints as its text
      {"%s", {1.5}, "1.5"},
      {"%s", {true}, "True"},
      {"%s", {Null()}, ""},
      {"%s", {Unassigned()}, ""},
      {"%s", {VarFromDateTime(EncodeDate(2024, 3, 5))}, "2024/03/05"},
      {"[%4s]", {"中"}, "[  中]"},   // a Chinese character is two wide
      {"[%.3s]", {"中文"}, "[中]"},  // no half characters
      {"%s=%s", {"a", "b"}, "a=b"},
      {"100%%", {}, "100%"},
      {"%%%s%%", {"x"}, "%x%"},
      {"no directives", {}, "no directives"},
      {"Load Library %s Error!", {"Tarnick.so"}, "Load Library Tarnick.so Error!"},
  };
  for (const Case& C : Cases) EXPECT_EQ(Format(C.Fmt, C.Args), C.Text) << C.Fmt;
}

TEST_F(FormatTest, IndexWidthAndPrecisionFromArguments) {
  const Case Cases[] = {
      {"%1:s %0:s", {"a", "b"}, "b a"},
      {"%d %d %0:d %d", {10, 20}, "10 20 10 20"},
      {"[%*d]", {4, 7}, "[   7]"},
      {"[%-*d]", {4, 7}, "[7   ]"},
      {"[%.*d]", {3, 7}, "[007]"},
      {"[%*.*f]", {8, 2, 3.14159}, "[    3.14]"},
      {"%*:s", {1, "x"}, "x"},  // index from the argument
  };
  for (const Case& C : Cases) EXPECT_EQ(Format(C.Fmt, C.Args), C.Text) << C.Fmt;
}

TEST_F(FormatTest, Floats) {
  const Case Cases[] = {
      {"%f", {3.14159}, "3.14"},
      {"%.3f", {3.14159}, "3.142"},
      {"%.0f", {2.5}, "3"},
      {"%.2f", {2.675}, "2.68"},
      {"%.2f", {-0.001}, "0.00"},
      {"%.0f", {1e16}, "10000000000000000"},
      {"%8.2f", {-1.5}, "   -1.50"},
      {"%e", {1234.5}, "1.23450000000000E+003"},
      {"%.3e", {1234.5}, "1.23E+003"},
      {"%.3e", {-0.00012345}, "-1.23E-004"},
      {"%g", {0.1}, "0.1"},
      {"%g", {1e20}, "1E20"},
      {"%g", {1.5e-7}, "1.5E-7"},
      {"%.3g", {1234.5}, "1.23E3"},
      {"%n", {1234567.891}, "1,234,567.89"},
      {"%.0n", {1234567.891}, "1,234,568"},
      {"%m", {1234.5}, "1,234.50"},
      {"%m", {-1234.5}, "-1,234.50"},
      {"%f", {1.5f}, "1.50"},
      {"%f", {VarFromCurrency(12.3456)}, "12.35"},
      {"%.1f", {VarFromDateTime(1.25)}, "1.3"},
  };
  for (const Case& C : Cases) EXPECT_EQ(Format(C.Fmt, C.Args), C.Text) << C.Fmt;
}

TEST_F(FormatTest, FloatsUseTheSeparatorsOfTheSettings) {
  FormatSettings().DecimalSeparator = ',';
  FormatSettings().ThousandSeparator = '.';
  FormatSettings().CurrencyString = "€";
  const Case Cases[] = {
      {"%f", {3.14159}, "3,14"},
      {"%n", {1234567.891}, "1.234.567,89"},
      {"%e", {1.5}, "1,50000000000000E+000"},
      {"%g", {0.25}, "0,25"},
      {"%m", {-1234.5}, "-€1.234,50"},
      {"%s", {0.25}, "0,25"},
  };
  for (const Case& C : Cases) EXPECT_EQ(Format(C.Fmt, C.Args), C.Text) << C.Fmt;
}

TEST_F(FormatTest, PointerPrintsSixteenHexDigits) {
  EXPECT_EQ(Format("%p", {0x1234}), "0000000000001234");
  EXPECT_EQ(Format("%p", {static_cast<IDispatch*>(nullptr)}), "0000000000000000");
}

TEST_F(FormatTest, MismatchesRaiseWithTheFormatText) {
  const Case Cases[] = {
      {"%d", {"12"}, nullptr},            // a string for an integer
      {"%d", {1.5}, nullptr},             // a double for an integer
      {"%d", {true}, nullptr},
      {"%d", {Null()}, nullptr},
      {"%x", {2.0}, nullptr},
      {"%f", {5}, nullptr},               // an integer for a float
      {"%f", {"1.5"}, nullptr},
      {"%s", {VarArrayOf({1})}, nullptr},
      {"%s", {static_cast<IDispatch*>(nullptr)}, nullptr},
      {"%d %d", {1}, nullptr},            // a missing argument
      {"%s", {}, nullptr},
      {"%2:s", {"a", "b"}, nullptr},
      {"%k", {1}, nullptr},               // a bad directive
      {"abc %", {1}, nullptr},
      {"%5", {1}, nullptr},
      {"%*d", {"x", 1}, nullptr},         // a width that is no integer
      {"%-", {1}, nullptr},
  };
  for (const Case& C : Cases) {
    try {
      const std::string R = Format(C.Fmt, C.Args);
      ADD_FAILURE() << C.Fmt << " gave " << R;
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), std::string("Format '") + C.Fmt + "' invalid or incompatible with argument");
    }
  }
}

TEST_F(FormatTest, InitializerListOverload) {
  EXPECT_EQ(Format("%s is %d years, %.1f m", {"Ann", 30, 1.72}), "Ann is 30 years, 1.7 m");
  EXPECT_EQ(Format("ErrorMessage Count: %d", {3}), "ErrorMessage Count: 3");
  EXPECT_EQ(Format("EInOutError Error %.2d: Code: %d, Message: %s", {1, 112, "Disk full"}),
            "EInOutError Error 01: Code: 112, Message: Disk full");
}

}  // namespace
