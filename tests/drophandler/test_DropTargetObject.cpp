// Plays the file manager: registers a ".rnp" file type whose drop handler is Tamsel and whose
// program is the argument recorder, drags data objects onto a drop target made through the
// class factory, and reads what the started program received.
#include "ShellHost.h"

#include <QDir>
#include <QFile>
#include <sys/wait.h>

using namespace shellhost;

namespace {

constexpr POINTL Nowhere{0, 0};
constexpr DWORD Untouched = 0x7;

std::string quoted(const std::vector<std::string> &paths)
{
    std::string text;
    for (const std::string &path : paths)
        text += (text.empty() ? "\"" : " \"") + path + '"';
    return text;
}

std::vector<std::string> joined(std::vector<std::string> first, const std::vector<std::string> &rest)
{
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

/** True when the process has no child at all: nothing the drop started was left to reap. */
bool noChildLeft()
{
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

struct DropOutcome {
    HRESULT load = E_FAIL;
    HRESULT enter = E_FAIL;
    HRESULT drop = E_FAIL;
    DWORD enterEffect = Untouched;
    DWORD dropEffect = Untouched;
};

class DropTargetTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        target = path("sets/my set \xC3\xA9.rnp");
        items = {path("photos/Summer 2023 #1.jpg"), path("photos/say \"cheese\".jpg"),
                 path("photos/\xC5\x81\xC3\xB3\x64\xC5\xBA caf\xC3\xA9.jpg"), path("photos/sub folder/")};
    }

    /** ".rnp" -> "Morvane.RenameDrop", whose handler key holds @p values. */
    void registerFileType(const std::string &values) const
    {
        addToRegistry("[HKEY_CLASSES_ROOT\\.rnp]\n@=\"Morvane.RenameDrop\"\n\n"
                      "[HKEY_CLASSES_ROOT\\Morvane.RenameDrop\\ShellEx\\Wyncourt]\n"
                      + values);
    }

    void registerRecorder(const std::string &moreValues = {}) const
    {
        registerFileType("@=" + regString(recorder) + "\n" + moreValues);
    }

    /** Load, DragEnter and Drop on a fresh drop target. */
    DropOutcome drop(const std::string &onto, IDataObject *data) const
    {
        DropOutcome outcome;
        IPersistFile *object = createDropTarget();
        if (!object)
            return outcome;
        IDropTarget *dropTarget = nullptr;
        object->QueryInterface(IID_IDropTarget, reinterpret_cast<void **>(&dropTarget));
        outcome.load = object->Load(utf16(onto).c_str(), 0);
        outcome.enter = dropTarget->DragEnter(data, 0, Nowhere, &outcome.enterEffect);
        outcome.drop = dropTarget->Drop(data, 0, Nowhere, &outcome.dropEffect);
        dropTarget->Release();
        object->Release();
        return outcome;
    }

    /** A loaded drop target, as its IDropTarget pointer; the caller releases it. */
    IDropTarget *loadedTarget(const std::string &onto) const
    {
        IPersistFile *object = createDropTarget();
        IDropTarget *dropTarget = nullptr;
        object->QueryInterface(IID_IDropTarget, reinterpret_cast<void **>(&dropTarget));
        EXPECT_EQ(object->Load(utf16(onto).c_str(), 0), S_OK);
        object->Release();
        return dropTarget;
    }

    void expectRecording(const std::vector<std::string> &argv, const std::string &commandLine) const
    {
        const std::optional<Recording> recording = takeRecording();
        ASSERT_TRUE(recording.has_value()) << "the program did not start";
        EXPECT_EQ(recording->argv, argv);
        EXPECT_EQ(recording->commandLine, commandLine);
    }

    const std::string recorder = ARGUMENT_RECORDER;
    std::string target;
    std::vector<std::string> items;
};

struct HandlerCase {
    const char *name;
    const char *values;
    std::vector<std::string> leadingArguments;
    std::string leadingText;
    bool passesTarget;
};

TEST_F(DropTargetTest, StartsTheProgramWithTheLineTheHandlerKeyAsksFor)
{
    const HandlerCase cases[] = {
        {"neither value", "", {}, "", true},
        {"arguments", "\"Arguments\"=\"--drop -q\"\n", {"--drop", "-q"}, "--drop -q ", true},
        {"quoted arguments", "\"Arguments\"=\"--title \\\"two words\\\"\"\n", {"--title", "two words"},
         "--title \"two words\" ", true},
        {"empty arguments", "\"Arguments\"=\"\"\n", {}, "", true},
        {"omit target", "\"OmitTarget\"=\"\"\n", {}, "", false},
        {"omit target as number, with arguments", "\"ARGUMENTS\"=\"-x\"\n\"omittarget\"=dword:00000000\n",
         {"-x"}, "-x ", false},
    };
    for (const HandlerCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(path("registry.reg").c_str());
        ASSERT_EQ(TamselLibrary::instance().registerServer(), S_OK);
        registerRecorder(c.values);
        TestDataObject data(dropFilesBlock(items));
        const int freedBefore = TestDataObject::blocksFreed();

        const DropOutcome outcome = drop(target, &data);
        EXPECT_EQ(outcome.load, S_OK);
        EXPECT_EQ(outcome.enter, S_OK);
        EXPECT_EQ(outcome.enterEffect, DROPEFFECT_COPY);
        EXPECT_EQ(outcome.drop, S_OK);
        EXPECT_EQ(outcome.dropEffect, DROPEFFECT_COPY);

        const std::vector<std::string> passed = c.passesTarget ? joined({target}, items) : items;
        expectRecording(joined(joined({recorder}, c.leadingArguments), passed),
                        c.leadingText + quoted(passed));
        EXPECT_EQ(data.references(), 1u);
        EXPECT_EQ(data.blocksHandedOut(), 1);
        EXPECT_EQ(TestDataObject::blocksFreed(), freedBefore + 1);
        EXPECT_TRUE(noChildLeft());
        EXPECT_EQ(messages(), "");
    }
}

TEST_F(DropTargetTest, TakesWidePathsAndMatchesTheExtensionInAnyCase)
{
    registerRecorder();
    const std::string upperTarget = path("sets/Set.RNP");
    TestDataObject data(dropFilesBlock(items, true));
    const DropOutcome outcome = drop(upperTarget, &data);
    EXPECT_EQ(outcome.enter, S_OK);
    const std::vector<std::string> passed = joined({upperTarget}, items);
    expectRecording(joined({recorder}, passed), quoted(passed));
}

TEST_F(DropTargetTest, HandlesPathsAndValuesOfAnyLength)
{
    // A program path, an "Arguments" value and dropped paths far beyond 260 bytes.
    const std::string longFolder = path(std::string(200, 'p') + "/" + std::string(200, 'q'));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(longFolder)));
    const std::string program = longFolder + "/recorder";
    ASSERT_TRUE(QFile::link(QString::fromStdString(recorder), QString::fromStdString(program)));
    const std::string longArgument = "--" + std::string(1000, 'a');
    registerFileType("@=" + regString(program) + "\n\"Arguments\"=\"" + longArgument + "\"\n");
    const std::vector<std::string> longItems = {
        path(std::string(250, 'x') + "/" + std::string(250, 'y') + ".jpg"),
        path(std::string(240, 'z') + "/" + std::string(240, 'w') + "/" + std::string(240, 'v'))};
    const std::string longTarget = path(std::string(250, 't') + "/" + std::string(250, 'u') + ".rnp");

    TestDataObject data(dropFilesBlock(longItems));
    EXPECT_EQ(drop(longTarget, &data).enter, S_OK);
    const std::vector<std::string> passed = joined({longTarget}, longItems);
    expectRecording(joined({program, longArgument}, passed), longArgument + " " + quoted(passed));
}

TEST_F(DropTargetTest, ALargeDropArrivesWholeWithoutTheTextCopy)
{
    // Too long for one environment string: the arguments still arrive, the text copy does not,
    // and a value inherited from the caller is not passed on in its place.
    registerRecorder();
    std::vector<std::string> many;
    for (int i = 0; i < 3000; ++i)
        many.push_back(path("photos/a rather long name for a holiday picture " + std::to_string(i)
                            + ".jpg"));
    setenv("TAMSEL_COMMAND_LINE", "stale", 1);
    TestDataObject data(dropFilesBlock(many));
    const DropOutcome outcome = drop(target, &data);
    unsetenv("TAMSEL_COMMAND_LINE");
    EXPECT_EQ(outcome.enter, S_OK);
    expectRecording(joined({recorder, target}, many), "");
    EXPECT_EQ(messages(), "");
}

TEST_F(DropTargetTest, WithoutAProgramTheTargetItselfIsStartedWithTheItems)
{
    addToRegistry("[HKEY_CLASSES_ROOT\\.rnp]\n@=\"Morvane.RenameDrop\"\n\n"
                  "[HKEY_CLASSES_ROOT\\Morvane.RenameDrop]\n@=\"Rename drop\"\n");
    const std::string runnable = path("runnable.rnp");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(recorder), QString::fromStdString(runnable)));
    TestDataObject data(dropFilesBlock(items));
    const DropOutcome outcome = drop(runnable, &data);
    EXPECT_EQ(outcome.enter, S_OK);
    expectRecording(joined({runnable}, items), quoted(items));

    // A target that is no program is reported like any program that cannot start.
    const DropOutcome plain = drop(target, &data);
    EXPECT_EQ(plain.enter, S_OK);
    EXPECT_EQ(plain.drop, S_OK);
    EXPECT_EQ(plain.dropEffect, DROPEFFECT_COPY);
    EXPECT_EQ(messages(), "Wyncourt: Couldn't run \"" + target + "\"!\n");
}

TEST_F(DropTargetTest, AProgramThatCannotStartIsReportedAndTheDropStillSucceeds)
{
    const std::string notExecutable = path("notes.txt");
    QFile file(QString::fromStdString(notExecutable));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path("a folder"))));
    const std::string programs[] = {path("missing/program"), notExecutable, path("a folder")};
    for (const std::string &program : programs) {
        SCOPED_TRACE(program);
        std::remove(path("messages.log").c_str());
        std::remove(path("registry.reg").c_str());
        ASSERT_EQ(TamselLibrary::instance().registerServer(), S_OK);
        registerFileType("@=" + regString(program) + "\n");
        TestDataObject data(dropFilesBlock(items));

        for (int attempt = 0; attempt < 2; ++attempt) {
            const DropOutcome outcome = drop(target, &data);
            EXPECT_EQ(outcome.enter, S_OK);
            EXPECT_EQ(outcome.enterEffect, DROPEFFECT_COPY);
            EXPECT_EQ(outcome.drop, S_OK);
            EXPECT_EQ(outcome.dropEffect, DROPEFFECT_COPY);
        }
        const std::string message = "Wyncourt: Couldn't run \"" + program + "\"!\n";
        EXPECT_EQ(messages(), message + message);
        EXPECT_FALSE(recordingExists());
        EXPECT_TRUE(noChildLeft());
    }
}

// Paths beyond what the system lets a program start with: the user is told why.
TEST_F(DropTargetTest, PathsTooLongToStartWithAreReportedAsSuch)
{
    registerRecorder();
    TestDataObject data(dropFilesBlock({path(std::string(200 * 1024, 'x') + ".jpg")}));
    const DropOutcome outcome = drop(target, &data);
    EXPECT_EQ(outcome.enter, S_OK);
    EXPECT_EQ(outcome.drop, S_OK);
    EXPECT_FALSE(recordingExists());
    EXPECT_EQ(messages(), "Wyncourt: There are too many or too long paths to start \"" + recorder + "\"!\n");
}

// A dropped wide path that cannot be converted fails the drop instead of being left out.
TEST_F(DropTargetTest, AWidePathThatCannotBeConvertedFailsTheDrop)
{
    registerRecorder();
    std::string block = dropFilesBlock({path("photos/a.jpg"), path("photos/b.jpg")}, true);
    const std::u16string good = utf16(path("photos/b.jpg"));
    const std::size_t at = block.find(std::string(reinterpret_cast<const char *>(good.data()), good.size() * 2));
    ASSERT_NE(at, std::string::npos);
    const char16_t lone = 0xD800;
    block.replace(at + 2 * (good.size() - 1), 2, reinterpret_cast<const char *>(&lone), 2);
    TestDataObject data(block);
    IDropTarget *dropTarget = loadedTarget(target);
    DWORD effect = Untouched;
    EXPECT_EQ(dropTarget->DragEnter(&data, 0, Nowhere, &effect), E_INVALIDARG);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    dropTarget->Release();
}

TEST_F(DropTargetTest, AFileWithoutARegisteredTypeAcceptsNothing)
{
    registerRecorder();
    // Types that a scan past the last "/", or a "\" taken as a key separator, would find.
    addToRegistry("[HKEY_CLASSES_ROOT\\.nodefault]\n\"Other\"=\"x\"\n\n"
                  "[HKEY_CLASSES_ROOT\\.emptytype]\n@=\"\"\n\n"
                  "[HKEY_CLASSES_ROOT\\.old/readme]\n@=\"Morvane.RenameDrop\"\n\n"
                  "[HKEY_CLASSES_ROOT\\.rnp\\name]\n@=\"Morvane.RenameDrop\"\n");
    const std::string targets[] = {path("sets/readme"), path("sets/Data.old/readme"),
                                   path("sets/file.xyz"), path("sets/file.nodefault"),
                                   path("sets/file.emptytype"), path("sets/odd.rnp\\name")};
    for (const std::string &onto : targets) {
        SCOPED_TRACE(onto);
        IDropTarget *dropTarget = loadedTarget(onto);
        TestDataObject data(dropFilesBlock(items));
        DWORD effect = Untouched;
        EXPECT_EQ(dropTarget->DragEnter(&data, 0, Nowhere, &effect), E_FAIL);
        EXPECT_EQ(effect, DROPEFFECT_NONE);
        EXPECT_EQ(data.blocksHandedOut(), 0);
        dropTarget->Release();
    }

    IPersistFile *neverLoaded = createDropTarget();
    IDropTarget *dropTarget = nullptr;
    neverLoaded->QueryInterface(IID_IDropTarget, reinterpret_cast<void **>(&dropTarget));
    TestDataObject data(dropFilesBlock(items));
    DWORD effect = Untouched;
    EXPECT_EQ(dropTarget->DragEnter(&data, 0, Nowhere, &effect), E_FAIL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    dropTarget->Release();
    neverLoaded->Release();
}

TEST_F(DropTargetTest, APathThatIsNotWellFormedLoadsNothing)
{
    registerRecorder();
    IPersistFile *object = createDropTarget();
    IDropTarget *dropTarget = nullptr;
    object->QueryInterface(IID_IDropTarget, reinterpret_cast<void **>(&dropTarget));
    const char16_t loneSurrogate[] = {u'/', u'a', 0xD800, u'.', u'r', u'n', u'p', 0};
    EXPECT_EQ(object->Load(nullptr, 0), E_INVALIDARG);
    EXPECT_EQ(object->Load(loneSurrogate, 0), E_INVALIDARG);
    TestDataObject data(dropFilesBlock(items));
    DWORD effect = Untouched;
    EXPECT_EQ(dropTarget->DragEnter(&data, 0, Nowhere, &effect), E_FAIL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    dropTarget->Release();
    object->Release();
}

TEST_F(DropTargetTest, DataWithoutUsableFileDropTakesNoItemsAndReleasesTheLine)
{
    registerRecorder();
    struct BadData {
        const char *name;
        std::string block;
        HRESULT getData;
        HRESULT expected;
    };
    std::string offsetOutside = dropFilesBlock(items);
    offsetOutside[0] = '\x7F';
    offsetOutside[1] = '\x7F';
    const BadData cases[] = {
        {"no file-drop format", "", DV_E_FORMATETC, DV_E_FORMATETC},
        {"empty list", dropFilesBlock({}), S_OK, E_INVALIDARG},
        {"cut-off head", dropFilesBlock(items).substr(0, 12), S_OK, E_INVALIDARG},
        {"list offset outside", offsetOutside, S_OK, E_INVALIDARG},
    };
    for (const BadData &c : cases) {
        SCOPED_TRACE(c.name);
        IDropTarget *dropTarget = loadedTarget(target);
        TestDataObject data(c.block, c.getData);
        const int freedBefore = TestDataObject::blocksFreed();
        DWORD effect = Untouched;
        EXPECT_EQ(dropTarget->DragEnter(&data, 0, Nowhere, &effect), c.expected);
        EXPECT_EQ(effect, DROPEFFECT_NONE);
        EXPECT_EQ(TestDataObject::blocksFreed(), freedBefore + data.blocksHandedOut());
        EXPECT_EQ(data.references(), 1u);

        // The failed DragEnter dropped the line: the program starts with no parameters.
        EXPECT_EQ(dropTarget->Drop(&data, 0, Nowhere, &effect), S_OK);
        expectRecording({recorder}, "");
        dropTarget->Release();
    }

    IDropTarget *dropTarget = loadedTarget(target);
    DWORD effect = Untouched;
    EXPECT_EQ(dropTarget->DragEnter(nullptr, 0, Nowhere, &effect), E_INVALIDARG);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    dropTarget->Release();
}

TEST_F(DropTargetTest, DropUsesTheLineHeldInEveryState)
{
    registerRecorder("\"Arguments\"=\"-a\"\n");
    TestDataObject first(dropFilesBlock({items[0], items[1]}));
    TestDataObject second(dropFilesBlock({items[2]}));
    DWORD effect = Untouched;

    // Drop without DragEnter: the line Load built, without a trailing blank.
    IDropTarget *dropTarget = loadedTarget(target);
    EXPECT_EQ(dropTarget->Drop(nullptr, 0, Nowhere, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    expectRecording({recorder, "-a", target}, "-a \"" + target + "\"");

    // A DragEnter after a finished drop builds the whole line again.
    EXPECT_EQ(dropTarget->DragEnter(&first, 0, Nowhere, &effect), S_OK);
    EXPECT_EQ(dropTarget->Drop(&first, 0, Nowhere, &effect), S_OK);
    expectRecording({recorder, "-a", target, items[0], items[1]},
                    "-a " + quoted({target, items[0], items[1]}));

    // A second DragEnter replaces the items of the first instead of adding to them.
    EXPECT_EQ(dropTarget->DragEnter(&first, 0, Nowhere, &effect), S_OK);
    EXPECT_EQ(dropTarget->DragEnter(&second, 0, Nowhere, &effect), S_OK);
    EXPECT_EQ(dropTarget->Drop(&second, 0, Nowhere, &effect), S_OK);
    expectRecording({recorder, "-a", target, items[2]}, "-a " + quoted({target, items[2]}));

    // After DragLeave no line is held: the program starts without parameters.
    EXPECT_EQ(dropTarget->DragEnter(&first, 0, Nowhere, &effect), S_OK);
    EXPECT_EQ(dropTarget->DragLeave(), S_OK);
    EXPECT_EQ(dropTarget->Drop(&first, 0, Nowhere, &effect), S_OK);
    expectRecording({recorder}, "");

    effect = Untouched;
    EXPECT_EQ(dropTarget->DragOver(0, Nowhere, &effect), E_NOTIMPL);
    EXPECT_EQ(effect, Untouched);
    dropTarget->Release();
    EXPECT_EQ(first.references(), 1u);
    EXPECT_EQ(second.references(), 1u);
    EXPECT_TRUE(noChildLeft());
}

} // namespace
