#include "saver/registry_text.h"

#include <gtest/gtest.h>

namespace orvelle {
namespace {

class FakeRegistry : public RegistryReader {
  public:
    std::optional<RegistryValue> value;
    int queries = 0;
    std::optional<RegistryValue> Query(std::uint32_t, const std::string&,
                                       const std::string&) override {
        ++queries;
        return value;
    }
};

RegistryValue Dword(std::uint32_t n) {
    return {4, std::string(reinterpret_cast<const char*>(&n), 4)};
}

TEST(ReadRegistryText, DwordReadsAsAtLeastThreeDigits) {
    FakeRegistry reg;
    reg.value = Dword(1);
    EXPECT_EQ(ReadRegistryText(reg, kHkeyCurrentUser, "Control Panel\\Desktop", "X"), "001");
    reg.value = Dword(0);
    EXPECT_EQ(ReadRegistryText(reg, kHkeyCurrentUser, "k", "X"), "000");
    reg.value = Dword(12345);
    EXPECT_EQ(ReadRegistryText(reg, kHkeyCurrentUser, "k", "X"), "12345");
}

TEST(ReadRegistryText, TextValueLosesItsTerminator) {
    FakeRegistry reg;
    reg.value = RegistryValue{1, std::string("1\0", 2)};
    EXPECT_EQ(ReadRegistryText(reg, kHkeyCurrentUser, "k", "X"), "1");
    reg.value = RegistryValue{1, std::string()};
    EXPECT_EQ(ReadRegistryText(reg, kHkeyCurrentUser, "k", "X"), "");
}

TEST(ReadRegistryText, FailuresAndForeignRootsGiveEmptyText) {
    FakeRegistry reg;
    EXPECT_EQ(ReadRegistryText(reg, kHkeyCurrentUser, "k", "X"), "");
    reg.value = Dword(1);
    EXPECT_EQ(ReadRegistryText(reg, 0x80000007u, "k", "X"), "");
    EXPECT_EQ(ReadRegistryText(reg, 0x7FFFFFFFu, "k", "X"), "");
    EXPECT_EQ(reg.queries, 1) << "roots outside the predefined range never reach the registry";
    EXPECT_EQ(ReadRegistryText(reg, 0x80000000u, "k", "X"), "001");
    EXPECT_EQ(ReadRegistryText(reg, 0x80000006u, "k", "X"), "001");
}

}  // namespace
}  // namespace orvelle
