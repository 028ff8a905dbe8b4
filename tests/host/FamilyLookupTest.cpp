// Lookups of a family by name: the shortcut through the last answer must give exactly
// the index's answers, whatever the order of the questions.
#include "host/document/DocumentModel.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace t2v::host::document {
namespace {

struct Named {
    std::string name;
};

TEST(FamilyLookup, AnswersByNameInAnyOrderOfQuestions) {
    Family<Named> family;
    std::map<std::string, std::uint32_t> expected;
    for (std::uint32_t i = 0; i < 2000; ++i) {
        const std::string name = "N" + std::to_string(i * 7 % 2000);
        family.append(Named{name});
        expected.emplace(name, i);
    }
    ASSERT_EQ(family.indexAppended().first, kNoRef);

    std::mt19937 random(5);
    std::uniform_int_distribution<int> pick(0, 2199);  // about one in eleven is absent
    std::uint32_t walk = 0;
    for (int q = 0; q < 20000; ++q) {
        std::string name;
        switch (q % 3) {
            case 0:
                name = family[walk++ % 2000].name;
                break;  // walking the family in order
            case 1:
                name = family[(walk + 1) % 2000].name;
                break;  // the one after the last answer
            default:
                name = "N" + std::to_string(pick(random));
                break;
        }
        const auto it = expected.find(name);
        ASSERT_EQ(family.find(name), it == expected.end() ? kNoRef : it->second) << name;
    }
}

TEST(FamilyLookup, ObjectsNotYetIndexedAreNotFound) {
    Family<Named> family;
    family.append(Named{"A"});
    family.indexAppended();
    EXPECT_EQ(family.find("A"), 0u);
    family.append(Named{"B"});  // appended, not indexed yet: right after the last answer
    EXPECT_EQ(family.find("B"), kNoRef);
    family.indexAppended();
    EXPECT_EQ(family.find("B"), 1u);
}

}  // namespace
}  // namespace t2v::host::document
