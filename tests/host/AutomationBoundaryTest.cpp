// The automation boundary: the operation table's argument rule, the adapter's checks
// of what a host answers, the server's refusals, and whole transfers through the
// adapter and the server that must write exactly what a direct transfer writes.
#include <gtest/gtest.h>

#include <functional>

#include "host/automation/AutomationHost.h"
#include "host/automation/HostDispatcher.h"
#include "host/automation/Operations.h"
#include "host/document/DocumentHost.h"
#include "AutomationSupport.h"
#include "support/DocumentFile.h"

namespace t2v::host::automation {
namespace {

using test::TransferOutput;
using test::TransferRun;

std::string Shape(std::string_view op) {
    const OperationShape* shape = FindOperation(op);
    if (!shape) return "missing";
    std::string s;
    for (const ArgShape& a : shape->args) {
        s += (s.empty() ? "" : " ") + std::string(a.out ? "out " : "in ") + std::string(TypeName(a.type)) + " " +
             std::string(a.name);
    }
    return s;
}

TEST(OperationTable, InputsFirstAndOneCountSharedByTheParallelListsOfACall) {
    EXPECT_EQ(
        Shape("GetPointConstraints"),
        "in String name in Long itemKind out Long count out StringArray pointNames out StringArray constraintNames");
    EXPECT_EQ(Shape("GetMassSource"), "out Long option out Long count out StringArray patterns out DoubleArray scales");
    EXPECT_EQ(Shape("GetTHFunctionUserPeriodic"),
              "in String name out Long cycles out Long count out DoubleArray times out DoubleArray values");
    EXPECT_EQ(Shape("GetFrameReleases"), "in String name out BoolArray releaseI out BoolArray releaseJ");
    EXPECT_EQ(Shape("GetFrameHinges"),
              "in String name out Long count out LongArray kind out LongArray dof out DoubleArray relDist");
    EXPECT_EQ(Shape("GetStaticNonlinearLoadApplication"),
              "in String name out Long loadControl out Long dispType out Long monitoredDof out Double displacement "
              "out String monitoredPoint");
    EXPECT_EQ(Shape("GetPointCount"), "");
    EXPECT_TRUE(FindOperation("GetPresentUnits")->resultIsAnswer());
    EXPECT_EQ(FindOperation("GetFrameSectionProperties")->args.size(), 13u);
    EXPECT_EQ(FindOperation("GetShellLayers")->args.size(), 12u);
    EXPECT_EQ(Operations().size(), 72u);
    EXPECT_EQ(FindOperation("GetNothing"), nullptr);
}

// A host object that answers whatever the test puts into the outputs.
class ScriptedDispatcher : public Dispatcher {
public:
    std::function<void(std::span<AutoArg>)> answer;
    std::int32_t call(std::string_view, std::span<AutoArg> args) override {
        answer(args);
        return 0;
    }
};

std::string Refusal(const std::function<void(std::span<AutoArg>)>& answer, const std::function<void(TarvoHost&)>& ask) {
    ScriptedDispatcher d;
    d.answer = answer;
    AutomationHost host(d);
    try {
        ask(host);
    } catch (const HostError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(AutomationHost, RefusesAnswersThatDisagreeWithTheTable) {
    const auto layers = [](TarvoHost& h) {
        std::vector<ShellLayer> l;
        h.GetShellLayers("W", l);
    };
    const auto twoLayers = [](std::span<AutoArg> a, std::size_t thicknesses) {
        a[1].value = std::int32_t{2};
        a[2].value = std::vector<std::string>{"a", "b"};
        a[3].value = std::vector<double>{0, 0};
        a[4].value = std::vector<double>(thicknesses, 0.1);
        a[5].value = std::vector<std::int32_t>{1, 1};
        a[6].value = std::vector<std::int32_t>{1, 1};
        a[7].value = std::vector<std::string>{"C", "R"};
        a[8].value = std::vector<double>{0, 0};
        for (std::size_t i = 9; i < 12; ++i) a[i].value = std::vector<std::int32_t>{0, 2};
    };
    EXPECT_EQ(Refusal([&](std::span<AutoArg> a) { twoLayers(a, 2); }, layers), "accepted");
    EXPECT_EQ(Refusal([&](std::span<AutoArg> a) { twoLayers(a, 3); }, layers),
              "GetShellLayers: the host answered a count of 2 but 3 values for thickness");
    EXPECT_EQ(Refusal(
                  [&](std::span<AutoArg> a) {
                      twoLayers(a, 2);
                      a[1].value = std::int32_t{-1};
                  },
                  layers),
              "GetShellLayers: the host answered a negative count (-1)");

    const auto shell = [](TarvoHost& h) {
        int t = 0, d = 0;
        std::string m;
        double x = 0, y = 0, z = 0;
        h.GetShell("S", t, d, m, x, y, z);
    };
    EXPECT_EQ(Refusal([](std::span<AutoArg> a) { a[1].value = std::string("1"); }, shell),
              "GetShell: the host answered a String for shellType where a Long was declared");
    // No coercion between Long and Double: the dispatcher that talks to the host does that.
    EXPECT_EQ(Refusal([](std::span<AutoArg> a) { a[1].value = 1.0; }, shell),
              "GetShell: the host answered a Double for shellType where a Long was declared");
    EXPECT_EQ(Refusal([](std::span<AutoArg>) {}, shell),
              "GetShell: the host answered nothing for shellType where a Long was declared");

    EXPECT_EQ(Refusal([](std::span<AutoArg> a) { a[1].value = std::vector<bool>(5, true); },
                      [](TarvoHost& h) {
                          std::array<bool, 6> r{};
                          h.GetPointRestraints("P", r);
                      }),
              "GetPointRestraints: the host answered 5 values for restraints where 6 are declared");
}

TEST(AutomationHost, SendsInputsByValueAndOutputsTypedAndEmpty) {
    ScriptedDispatcher d;
    std::vector<AutoArg> seen;
    d.answer = [&](std::span<AutoArg> a) {
        seen.assign(a.begin(), a.end());
        a[2].value = std::int32_t{1};
        a[3].value = std::vector<std::string>{"P1"};
        a[4].value = std::vector<std::string>{"D1"};
    };
    AutomationHost host(d);
    Names points{"stale"}, constraints;
    EXPECT_EQ(host.GetPointConstraints("ALL", kGroup, points, constraints), 0);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(std::get<std::string>(seen[0].value), "ALL");
    EXPECT_EQ(std::get<std::int32_t>(seen[1].value), 1);
    for (std::size_t i = 2; i < 5; ++i) {
        EXPECT_TRUE(seen[i].out);
        EXPECT_EQ(typeOf(seen[i].value), AutoType::Empty);
    }
    EXPECT_EQ(points, Names{"P1"});
    EXPECT_EQ(constraints, Names{"D1"});
}

TEST(HostDispatcher, RefusesUnknownOperationsAndMisshapenCalls) {
    auto doc = DocumentHost::FromText(R"({"format": "tarvo-model", "version": 1})", "t.json");
    HostDispatcher d(*doc);
    std::vector<AutoArg> none;
    EXPECT_EQ(d.call("GetPointCount", none), 0);
    EXPECT_THROW(
        {
            try {
                d.call("GetPointCounts", none);
            } catch (const HostError& e) {
                EXPECT_STREQ(e.what(), "GetPointCounts: the host has no such operation");
                throw;
            }
        },
        HostError);
    std::vector<AutoArg> args{{AutoType::String, false, std::string("C")}, {AutoType::Long, true, {}}};
    try {
        d.call("GetConcreteMaterial", args);
        ADD_FAILURE() << "accepted";
    } catch (const HostError& e) {
        EXPECT_STREQ(e.what(),
                     "GetConcreteMaterial: argument 2 (Fc) was passed as an output Long, the operation declares an "
                     "output Double");
    }
    args[1].type = AutoType::Double;
    args[0].value = std::int32_t{3};
    try {
        d.call("GetConcreteMaterial", args);
        ADD_FAILURE() << "accepted";
    } catch (const HostError& e) {
        EXPECT_STREQ(e.what(), "GetConcreteMaterial: argument 1 (name) holds Long, declared String");
    }
    args.pop_back();
    EXPECT_THROW(d.call("GetConcreteMaterial", args), HostError);
}

// A host that answers parallel lists of different lengths is refused by the server too.
class UnevenHost : public DocumentHost {
public:
    using DocumentHost::DocumentHost;
    int GetStressStrainCurve(const std::string&, std::vector<int>& ids, std::vector<double>& strains,
                             std::vector<double>& stresses) override {
        ids = {0, 1};
        strains = {0, 1};
        stresses = {0};
        return 0;
    }
};

TEST(HostDispatcher, RefusesParallelListsOfDifferentLengths) {
    UnevenHost uneven(document::DocumentModel{});
    HostDispatcher d(uneven);
    AutomationHost host(d);
    std::vector<int> ids;
    std::vector<double> strains, stresses;
    try {
        host.GetStressStrainCurve("C", ids, strains, stresses);
        ADD_FAILURE() << "accepted";
    } catch (const HostError& e) {
        EXPECT_STREQ(e.what(), "GetStressStrainCurve: the host answered parallel lists of different lengths (2 and 1)");
    }
}

void ExpectSameTransferThroughTheBoundary(const std::string& path) {
    auto direct = test::RunTransferFile(path, "Direct");
    ASSERT_TRUE(direct->written);

    auto document = t2v::test::LoadDocumentFile(path);
    HostDispatcher server(*document);
    AutomationHost adapter(server);
    TransferRun through;
    through.name = "Direct";
    test::RunTransferOn(through, adapter);
    ASSERT_TRUE(through.written);

    const auto a = TransferOutput(*direct);
    const auto b = TransferOutput(through);
    ASSERT_GT(a.size(), 7u);  // the seven structure files and the records
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [file, bytes] : a) {
        ASSERT_TRUE(b.count(file)) << file;
        EXPECT_TRUE(bytes == b.at(file)) << file << " differs";
    }
}

TEST(AutomationRoundTrip, ExampleBuildingWritesTheSameBytes) {
    ExpectSameTransferThroughTheBoundary(test::ExampleBuilding());
}

}  // namespace
}  // namespace t2v::host::automation
