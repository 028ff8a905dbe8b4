// docs/automation-host.md lists the operations of the table, argument by argument; the
// list there is the table's own rendering, so the page cannot drift from the code.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "host/automation/Operations.h"

namespace t2v::host::automation {
namespace {

std::string RenderTable() {
    std::string out = "| operation | inputs | outputs | result |\n|---|---|---|---|\n";
    for (const OperationShape& op : Operations()) {
        std::string in, outs;
        for (const ArgShape& a : op.args) {
            std::string& list = a.out ? outs : in;
            list += (list.empty() ? "" : ", ") + ("`" + std::string(a.name) + "` " + std::string(TypeName(a.type)));
        }
        out += "| `" + std::string(op.name) + "` | " + (in.empty() ? "none" : in) + " | " +
               (outs.empty() ? "none" : outs) + " | " + (op.resultIsAnswer() ? "the answer" : "status") + " |\n";
    }
    return out;
}

TEST(AutomationDoc, ListsExactlyTheTablesOperations) {
    std::ifstream in(std::string(T2V_SOURCE_DIR) + "/docs/automation-host.md");
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    const std::string page = text.str();
    const std::string begin = "<!-- operations: generated from the operation table -->\n";
    const std::string end = "<!-- end of operations -->";
    const std::size_t from = page.find(begin);
    const std::size_t to = page.find(end);
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    EXPECT_EQ(page.substr(from + begin.size(), to - from - begin.size()), RenderTable())
        << "replace the list in docs/automation-host.md with the table above";
}

}  // namespace
}  // namespace t2v::host::automation
