// Whole user tasks of the desktop program, driven through the session with a
// face that records what it was told to show and answers from a script. The
// analysis runs on its real worker thread.
#include "desktop/desktop_session.h"

#include "desktop/desktop_arguments.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <atomic>
#include <thread>

#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

namespace fs = std::filesystem;

class RecordingFace : public DesktopView {
 public:
  SelectionResult RunSelectionDialog(const SelectionRequest& request) override {
    dialogs.push_back(request);
    if (dialogAnswers.empty()) return {};
    SelectionResult answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
  }
  void ShowProgress() override {
    ++progressShown;
    progressOpen = true;
    // The modal window's loop: the 100 ms timer, as fast as it goes.
    while (progressOpen) session->TimerTick();
  }
  void CloseProgress() override { progressOpen = false; }
  void BindTree(DirStructure* bound) override {
    tree = bound;
    shownChecks.clear();
    if (bound == nullptr || bound->RootDir == nullptr) return;
    std::vector<DirNode*> pending{bound->RootDir};
    while (!pending.empty()) {
      DirNode* node = pending.back();
      pending.pop_back();
      shownChecks[node] = node->Checked;
      pending.insert(pending.end(), node->Children.begin(), node->Children.end());
    }
  }
  void ShowCheckStates(const std::vector<DirNode*>& changed) override {
    for (DirNode* node : changed) shownChecks[node] = node->Checked;
  }
  void ExpandToLevel(int level) override { expandLevel = level; }
  void SelectItem(const DirNode* node) override { selectedItem = node; }
  void ShowFindingMarks(const std::vector<FindingMark>& shown) override { marks = shown; }
  void ShowTitleLines(const std::vector<std::string>& lines) override { titleLines = lines; }
  void ShowEntryLines(const std::vector<std::string>& lines) override { entryLines = lines; }
  void SelectLine(int line) override { selectedLine = line; }
  void ShowDetail(const DetailTexts& texts) override { detail = texts; }
  void ShowSetting(Setting setting, const std::string& text) override { settings[setting] = text; }
  void SetExpandMaximum(int maximum) override { expandMaximum = maximum; }
  void EnableAnalysisCommand(bool enabled) override { analysisCommand = enabled; }
  void ShowStatus(const std::string& text) override { status = text; }
  void ShowMessage(const Message& message) override {
    messages.push_back(message);
    messageThreads.push_back(std::this_thread::get_id());
  }
  bool AskYesNo(const std::string&, const std::string& text) override {
    questions.push_back(text);
    return yes;
  }
  std::optional<SaveDialogChoice> AskSaveFile(const std::string&, const std::string&) override {
    ++saveDialogs;
    return std::nullopt;
  }
  std::string PickFolder(const std::string& title) override {
    pickerTitles.push_back(title);
    return folder;
  }
  void ShowMainWindow() override { ++mainWindowShown; }
  void End() override { ++ended; }

  // The check boxes show exactly the nodes' flags: the view learnt every
  // change from the lists the rules returned.
  bool ChecksInStep() const {
    if (tree == nullptr) return shownChecks.empty();
    for (const auto& [node, shown] : shownChecks) {
      if (shown != node->Checked) return false;
    }
    return shownChecks.size() == tree->NodeCount();
  }
  int LineOf(const std::string& text) const {
    for (std::size_t i = 0; i < entryLines.size(); ++i) {
      if (entryLines[i].find(text) != std::string::npos) return static_cast<int>(i);
    }
    return -1;
  }

  DesktopSession* session = nullptr;
  std::deque<SelectionResult> dialogAnswers;
  bool yes = true;
  std::string folder;

  std::vector<SelectionRequest> dialogs;
  int progressShown = 0;
  bool progressOpen = false;
  DirStructure* tree = nullptr;
  std::map<const DirNode*, bool> shownChecks;
  int expandLevel = -1;
  int expandMaximum = 100;
  const DirNode* selectedItem = nullptr;
  std::vector<FindingMark> marks;
  std::vector<std::string> titleLines, entryLines;
  int selectedLine = -1;
  DetailTexts detail;
  std::map<Setting, std::string> settings;
  bool analysisCommand = true;
  std::string status;
  std::vector<Message> messages;
  std::vector<std::thread::id> messageThreads;
  std::vector<std::string> questions;
  int saveDialogs = 0;
  std::vector<std::string> pickerTitles;
  int mainWindowShown = 0;
  int ended = 0;
};

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string Golden(const char* name) {
  return Read(std::string(CARTULON_TEST_DATA) + "/golden/SupportCD/" + name);
}

// A copy of the sample disc, a program folder off the disc, and a working
// folder holding the user's own files of the templates' names.
class DesktopTask : public ::testing::Test {
 protected:
  DesktopTask() : store_({place_.Location(), place_.Location()}) {
    fs::copy(fs::path(CARTULON_EXAMPLES) / "SupportCD", dir_.Path("disc"),
             fs::copy_options::recursive);
    env_.programFolder = dir_.MakeFolder("program");
    env_.workingFolder = dir_.MakeFolder("working");
    env_.today = {3, 7, 2014};
    dir_.WriteFile("working/TECHSUPP.ini", "the user's own contact file\r\n");
    dir_.WriteFile("working/FileList_Exp.ini", "[the user's own rules]\r\n");
    session_ = std::make_unique<DesktopSession>(face_, worker_, store_, env_);
    face_.session = session_.get();
  }
  std::string Root() const { return dir_.Path("disc"); }
  DirNode* Node(const std::string& relative) const {
    return session_->CurrentTree()->FindNode(dir_.Path("disc/" + relative));
  }
  std::string Remembered(int k) const {
    return store_.ReadString(kRememberKey, "Folder" + std::to_string(k));
  }
  void ExpectWorkingFolderUntouched() const {
    EXPECT_EQ(Read(dir_.Path("working/TECHSUPP.ini")), "the user's own contact file\r\n");
    EXPECT_EQ(Read(dir_.Path("working/FileList_Exp.ini")), "[the user's own rules]\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path("working")), {}), 2);
  }

  TempDir dir_;
  test_support::ScratchSettingsPlace place_;
  SettingsStore store_;
  StartupEnvironment env_;
  RecordingFace face_;
  ThreadAnalysisWorker worker_;
  std::unique_ptr<DesktopSession> session_;
};

TEST_F(DesktopTask, PreviewCheckSelectFormatSaveAndClose) {
  face_.dialogAnswers.push_back({RunChoice::Preview, Root() + "/"});
  session_->Start();

  // The dialog proposed the installed program's default, the analysis ran
  // behind the progress window, and the main window opened on the tree.
  ASSERT_EQ(face_.dialogs.size(), 1u);
  EXPECT_EQ(face_.progressShown, 1);
  EXPECT_FALSE(face_.progressOpen);
  EXPECT_EQ(face_.mainWindowShown, 1);
  EXPECT_EQ(face_.ended, 0);
  EXPECT_EQ(face_.expandLevel, 2);
  EXPECT_EQ(face_.settings[Setting::Month], "3");
  EXPECT_EQ(Remembered(1), Root() + "/");
  ASSERT_NE(face_.tree, nullptr);
  EXPECT_TRUE(face_.ChecksInStep());
  ASSERT_EQ(face_.titleLines.size(), 4u);
  EXPECT_EQ(face_.titleLines[0],
            "File List for the included support software for Z77X-Zolt Motherboard");
  EXPECT_EQ(face_.status.rfind("0 errors", 0), 0u) << face_.status;
  const std::vector<std::string> initial = face_.entryLines;

  // Save writes the golden list without a question; a second save asks.
  EXPECT_EQ(session_->Save(), SaveOutcome::Written);
  EXPECT_EQ(Read(dir_.Path("disc/FileList.txt")), Golden("FileList.txt"));
  EXPECT_TRUE(face_.questions.empty());
  EXPECT_EQ(session_->Save(), SaveOutcome::Written);
  EXPECT_EQ(face_.questions.size(), 1u);

  // Selecting an item selects its first line and fills the detail fields; a
  // click on an item's second line selects the item and its first line.
  DirNode* lan = Node("Drivers/LAN");
  session_->ItemSelected(lan);
  EXPECT_EQ(face_.selectedLine, face_.LineOf("  -LAN "));
  EXPECT_EQ(face_.detail.title, "Zoltek Gigabit LAN Driver");
  EXPECT_EQ(face_.detail.version, "2.1.5");
  const int vgaSecond = face_.LineOf("V15.28.0.2875 for Windows Win7 32bit");
  session_->LineClicked(vgaSecond);
  EXPECT_EQ(face_.selectedItem, Node("Drivers/VGA"));
  EXPECT_EQ(face_.selectedLine, vgaSecond - 1);

  // Uncheck All on Drivers, then a click on LAN checks it and Drivers back;
  // a click on Drivers is refused while LAN is checked.
  session_->ItemSelected(Node("Drivers"));
  session_->UncheckAll();
  EXPECT_TRUE(face_.ChecksInStep());
  EXPECT_EQ(face_.LineOf("-Drivers"), -1);
  session_->CheckClicked(lan);
  EXPECT_TRUE(Node("Drivers")->Checked);
  EXPECT_FALSE(Node("Drivers/VGA")->Checked);
  EXPECT_NE(face_.LineOf("  -LAN "), -1);
  EXPECT_EQ(face_.LineOf("-VGA"), -1);
  const std::vector<std::string> onlyLan = face_.entryLines;
  session_->CheckClicked(Node("Drivers"));
  EXPECT_TRUE(Node("Drivers")->Checked);
  EXPECT_EQ(face_.entryLines, onlyLan);
  // Check All takes the whole subtree, undescribed folders included, which
  // Compact takes out again.
  session_->CheckAll();
  EXPECT_TRUE(face_.ChecksInStep());
  EXPECT_NE(face_.LineOf("    -Tools "), -1);
  session_->Compact();
  EXPECT_TRUE(face_.ChecksInStep());
  EXPECT_EQ(face_.LineOf("    -Tools "), -1);
  EXPECT_NE(face_.LineOf("  -USB "), -1);

  // An Indent step widens the name column; a setting that is no number stops
  // the regeneration with the platform's message.
  session_->IndentStep(30);
  EXPECT_EQ(face_.settings[Setting::Indent], "30");
  EXPECT_EQ(face_.entryLines[static_cast<std::size_t>(face_.LineOf("  -LAN "))].find("- Zoltek"),
            30u);
  session_->SettingEdited(Setting::Indent, "abc");
  const std::vector<std::string> before = face_.entryLines;
  session_->Generate();
  ASSERT_FALSE(face_.messages.empty());
  EXPECT_EQ(face_.messages.back().text, "'abc' is not a valid integer value");
  EXPECT_EQ(face_.entryLines, before);
  session_->IndentStep(25);

  // A depth that is refused keeps the tree shown: the worker's message is
  // shown on this thread. F5 analyses the same root again, with the checks
  // of a fresh analysis.
  DirStructure* shown = session_->CurrentTree();
  session_->SettingEdited(Setting::Depth, "-1");
  face_.folder = Root();
  const std::size_t messagesBefore = face_.messages.size();
  session_->ChooseDiscFolder();
  EXPECT_EQ(face_.pickerTitles, std::vector<std::string>{kBrowseTitle});
  ASSERT_EQ(face_.messages.size(), messagesBefore + 1);
  EXPECT_EQ(face_.messages.back().caption, "DirStructure");
  EXPECT_EQ(face_.messageThreads.back(), std::this_thread::get_id());
  EXPECT_EQ(session_->CurrentTree(), shown);
  EXPECT_TRUE(face_.analysisCommand);
  session_->SettingEdited(Setting::Depth, "6");
  session_->Reanalyse();
  EXPECT_EQ(face_.progressShown, 3);
  EXPECT_NE(session_->CurrentTree(), shown);
  EXPECT_TRUE(face_.ChecksInStep());
  EXPECT_EQ(face_.entryLines, initial);
  EXPECT_EQ(face_.mainWindowShown, 1);

  // The templates lived in the session's own folder, which goes with the
  // window; the user's files of those names were never touched.
  const std::string templates = session_->TemplateFolder();
  EXPECT_TRUE(fs::exists(fs::path(templates) / "TECHSUPP.ini"));
  session_->Close();
  EXPECT_EQ(face_.ended, 1);
  EXPECT_FALSE(fs::exists(templates));
  ExpectWorkingFolderUntouched();
}

TEST_F(DesktopTask, OneShotRunsAfterAMistypedFolder) {
  const std::string typo = dir_.Path("disk");
  face_.dialogAnswers.push_back({RunChoice::TxtAndCsv, typo});
  face_.dialogAnswers.push_back({RunChoice::TxtAndCsv, Root()});
  session_->Start();

  // The mistyped folder was named, the dialog came back with it and it was
  // never remembered.
  ASSERT_EQ(face_.dialogs.size(), 2u);
  EXPECT_EQ(face_.dialogs[1].proposedRoot, typo);
  ASSERT_GE(face_.messages.size(), 1u);
  EXPECT_EQ(face_.messages[0].text, "The folder " + typo + " does not exist.");
  EXPECT_EQ(Remembered(1), Root());
  EXPECT_EQ(Remembered(2), "");

  // The run wrote both files, never opened the main window and ended.
  EXPECT_EQ(face_.messages.size(), 1u);
  EXPECT_EQ(face_.mainWindowShown, 0);
  EXPECT_EQ(face_.ended, 1);
  EXPECT_EQ(Read(dir_.Path("disc/FileList.txt")), Golden("FileList.txt"));
  EXPECT_EQ(Read(dir_.Path("disc/DriverInformation.csv")), Golden("DriverInformation.csv"));
  ExpectWorkingFolderUntouched();
}

TEST_F(DesktopTask, RunsThatEndBeforeAnyAnalysis) {
  struct Case {
    SelectionResult answer;
    std::string message;  // the one message shown, if any
  };
  dir_.MakeFolder("empty");
  const Case cases[] = {
      {{RunChoice::Cancel, dir_.Path("somewhere")}, ""},
      {{RunChoice::Txt, dir_.Path("empty")}, "not found"},
      {{RunChoice::Preview, dir_.Path("disc/Ver.tag")}, "is not a folder."},
  };
  for (const Case& c : cases) {
    RecordingFace face;
    face.dialogAnswers.push_back(c.answer);
    DesktopSession session(face, worker_, store_, env_);
    face.session = &session;
    session.Start();
    SCOPED_TRACE(c.answer.pathText);
    EXPECT_EQ(face.progressShown, 0);
    EXPECT_EQ(face.mainWindowShown, 0);
    EXPECT_EQ(face.ended, 1);
    if (c.message.empty()) {
      EXPECT_TRUE(face.messages.empty());
      // Cancel records the path box too.
      EXPECT_EQ(Remembered(1), c.answer.pathText);
    } else {
      ASSERT_FALSE(face.messages.empty());
      EXPECT_NE(face.messages[0].text.find(c.message), std::string::npos)
          << face.messages[0].text;
    }
    EXPECT_TRUE(session.TemplateFolder().empty());
  }
  ExpectWorkingFolderUntouched();
}

// A worker's message waits until the main thread has shown it; after
// Silence nothing waits and nothing is shown.
TEST(WorkerMessages, TheWorkerWaitsUntilTheMainThreadHasShownItsMessage) {
  MessageHandOff handOff;
  std::atomic<bool> returned{false};
  struct MainThread : MessageSink {
    std::atomic<bool>* workerReturned = nullptr;
    std::vector<Message> shown;
    bool workerWasWaiting = true;
    void Show(const Message& message) override {
      workerWasWaiting = workerWasWaiting && !*workerReturned;
      shown.push_back(message);
    }
  } mainThread;
  mainThread.workerReturned = &returned;
  std::thread worker([&] {
    handOff.Show({"DirStructure", "from the worker", MessageKind::Error});
    handOff.Show({"DirStructure", "and another", MessageKind::Warning});
    returned = true;
  });
  while (!returned) {
    handOff.Deliver(mainThread);
    std::this_thread::yield();
  }
  worker.join();
  ASSERT_EQ(mainThread.shown.size(), 2u);
  EXPECT_EQ(mainThread.shown[0].text, "from the worker");
  EXPECT_EQ(mainThread.shown[1].kind, MessageKind::Warning);
  EXPECT_TRUE(mainThread.workerWasWaiting);

  handOff.Silence();
  std::thread late([&] { handOff.Show({"c", "dropped", MessageKind::Error}); });
  late.join();
  handOff.Deliver(mainThread);
  EXPECT_EQ(mainThread.shown.size(), 2u);
}

TEST(DesktopArguments, RootRulesAndContactOrAClearError) {
  struct Case {
    std::vector<const char*> args;
    const char* root;  // nullptr: the arguments are refused
    const char* rules;
    const char* contact;
  };
  const Case cases[] = {
      {{}, "", "", ""},
      {{"E:\\"}, "E:\\", "", ""},
      {{"--rules", "my.ini", "--contact", "tech.ini", "/media/disc"}, "/media/disc", "my.ini",
       "tech.ini"},
      {{"--rules"}, nullptr, "", ""},
      {{"--depth", "3"}, nullptr, "", ""},
      {{"one", "two"}, nullptr, "", ""},
  };
  for (const Case& c : cases) {
    std::vector<char*> argv{const_cast<char*>("cartulon")};
    for (const char* arg : c.args) argv.push_back(const_cast<char*>(arg));
    const auto parsed = ParseDesktopArguments(static_cast<int>(argv.size()), argv.data());
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
    if (c.root == nullptr) {
      const auto* error = std::get_if<ArgumentError>(&parsed);
      ASSERT_NE(error, nullptr);
      EXPECT_NE(error->text.find(kDesktopUsage), std::string::npos) << error->text;
      continue;
    }
    const auto* options = std::get_if<DesktopOptions>(&parsed);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->root, c.root);
    EXPECT_EQ(options->rulesFile, c.rules);
    EXPECT_EQ(options->contactFile, c.contact);
  }
  char* help[] = {const_cast<char*>("cartulon"), const_cast<char*>("--help")};
  const auto parsed = ParseDesktopArguments(2, help);
  ASSERT_TRUE(std::holds_alternative<HelpRequested>(parsed));
  EXPECT_NE(std::get<HelpRequested>(parsed).text.find("--contact"), std::string::npos);
}

}  // namespace
}  // namespace cartulon
