#include "checker/rules/icon_tool_rules.h"

#include "checker/windows/program_start.h"

namespace checker {

namespace {

// The icon tool as the shell starts it on each family.
void check_icon_tool_start(Tree& tree, Windows chosen, std::vector<Finding>& findings) {
  std::string fails;
  for (const Windows w : kAllWindows) {
    const PredictedStart start = predicted_start(tree, kIconToolDPath, w);
    if (start.kind == StartKind::kUnreadable) {
      findings.push_back(unreadable(tree, kIconToolDPath));
      return;
    }
    if (start.result <= 32) {
      fails += (fails.empty() ? "" : "; ") + std::string(windows_title(w)) +
               (w == chosen ? " (predicted)" : "") + ": " + start.note;
    }
  }
  if (!fails.empty()) {
    findings.push_back(finding_about(
        Code::kIconToolDoesNotStart,
        "The icon tool " + kIconToolDPath + " does not start as a program on every Windows, so no "
        "start-group icon is made there (setup still starts): " + fails + ". Put the real "
        "addiconw.exe there.",
        kIconToolDPath));
  }
}

}  // namespace

void check_icon_tool(const TreeFacts& facts, TreeCheck& result) {
  switch (facts.tree.entry_at(kIconToolDPath)) {
    case Tree::Entry::kUnreadable:
      result.findings.push_back(unreadable(facts.tree, kIconToolDPath));
      break;
    case Tree::Entry::kMissing:
      result.findings.push_back(finding_about(
          Code::kIconToolMissing, "The icon tool " + kIconToolDPath +
                                   " is not in the tree: no start-group icon is made (setup still "
                                   "starts). Put addiconw.exe there.",
          kIconToolDPath));
      break;
    case Tree::Entry::kFolder:
      result.findings.push_back(finding_about(
          Code::kIconToolIsFolder, "The icon tool " + kIconToolDPath +
                                     " is a folder: the shell opens it in Explorer, a window the "
                                     "user did not ask for, and no icon is made. Put addiconw.exe "
                                     "there.",
          kIconToolDPath));
      break;
    case Tree::Entry::kFile:
      check_icon_tool_start(facts.tree, facts.options.windows, result.findings);
      break;
  }
}

}  // namespace checker
