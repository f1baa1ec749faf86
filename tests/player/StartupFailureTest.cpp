#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "kaMessageBox.h"
#include "kaPlayerRun.h"
#include "kaSound.h"
#include "kaTempDir.h"

namespace {

constexpr unsigned kError = KA_MB_ICONERROR;
constexpr unsigned kWarning = KA_MB_ICONWARNING;
constexpr unsigned kInformation = KA_MB_ICONINFORMATION;

struct Box {
    std::string caption, text;
    unsigned style;
};

// One way start-up can go wrong, and what the user and the log see.
struct StartupCase {
    std::string name;
    std::function<void(kaPlayerRun&)> damage;
    std::vector<Box> boxes;  // in the order shown
    // The log: the lines of a whole start-up up to the failed step's line,
    // then that line; a failure after the log was closed leaves it whole.
    int successLines;     // -1: the whole log of a good start-up
    std::string failure;  // the failed step's line
    int exitCode;         // PlayDemo's answer: 1 the demo ran, 0 start-up failed
    bool closingPictures;
};

// ---- Damage ----

std::function<void(kaPlayerRun&)> Missing(const std::string& file) {
    return [file](kaPlayerRun& run) { run.Remove(file); };
}

// The first half of the file.
std::function<void(kaPlayerRun&)> CutShort(const std::string& file) {
    return [file](kaPlayerRun& run) {
        const std::string bytes = kaPlayerRun::Original(file);
        run.Replace(file, bytes.substr(0, bytes.size() / 2));
    };
}

// The first four bytes (the format's signature, or a text's first word)
// overwritten.
std::function<void(kaPlayerRun&)> WrongMagic(const std::string& file) {
    return [file](kaPlayerRun& run) {
        run.Replace(file, "VXVX" + kaPlayerRun::Original(file).substr(4));
    };
}

std::function<void(kaPlayerRun&)> DeviceFails(const std::string& operation, int code) {
    return [operation, code](kaPlayerRun& run) {
        run.plugin().deviceFailures.push_back({operation, code});
    };
}

// ---- What is seen ----

Box ReadError(const std::string& picture) {
    return {"KA_ERR_INITFAILED", "Error reading ../xMedia/xImages/" + picture, kError};
}

// A start-up picture: the loader's box, then start-up's own.
std::vector<Box> PictureBoxes(const std::string& picture) {
    return {ReadError(picture), {"KA_ERR_READFAIL", "Error loading " + picture, kError}};
}

// A model: the file's box, the model's box, then start-up's own.
std::vector<Box> ModelBoxes(const std::string& file, const std::string& text) {
    const std::string loading = "loading ../xMedia/xModels/" + file;
    return {{"Error", loading, kWarning}, {"Error", loading, kError}, {"KA_ERR_READFAIL", text, kError}};
}

// A material picture: the loader's box, then the model's warning, once for
// every material that uses it.
std::vector<Box> MaterialBoxes(const std::string& picture, int uses) {
    std::vector<Box> boxes;
    for (int i = 0; i < uses; ++i) {
        boxes.push_back(ReadError(picture));
        boxes.push_back({"Error", "Error creating " + picture, kWarning});
    }
    return boxes;
}

Box ClipBox(const std::string& text) { return {"loadTDA", "error loading animation " + text, kWarning}; }

constexpr int kWholeLog = -1;
const std::string kRenderDevice = "Error! couldn't initialize render device: Return 1";

StartupCase Picture(const std::string& picture, const char* damage,
                    std::function<void(kaPlayerRun&)> fault, std::vector<Box> boxes, int exitCode) {
    return {picture + " " + damage, fault, boxes, kWholeLog, "", exitCode, true};
}

// A model whose failure stops start-up.
std::vector<StartupCase> Model(const std::string& file, const std::string& text) {
    std::vector<StartupCase> cases;
    const std::string path = "xModels/" + file;
    for (const auto& [damage, fault] :
         {std::pair{"missing", Missing(path)}, {"cut short", CutShort(path)}, {"wrong magic", WrongMagic(path)}}) {
        cases.push_back({file + " " + damage, fault, ModelBoxes(file, text), kWholeLog, "", 0, true});
    }
    return cases;
}

std::vector<StartupCase> Cases() {
    std::vector<StartupCase> cases = {
        {"display unusable", [](kaPlayerRun& run) { run.BreakDisplay(); },
         {{"KA_ERR_INITFAILED", "Error creating window", kError}}, 0,
         "Error! initializing application: Return 11", 0, false},
        // The box and the log name the file that is not there.
        {"render module missing", [](kaPlayerRun& run) { run.setPluginFile("/no/such/module%d.so"); },
         {{"KA_ERR_INITFAILED",
           "Couldn't initialize d3d8 driver:\n/no/such/module%d.so is missing or cannot be loaded.\n"
           "It belongs in the program's folder.",
           kError}},
         1, "Error! couldn't initialize d3d8 driver: Return 8, cannot load /no/such/module%d.so", 0, false},
        {"render module load fails", [](kaPlayerRun& run) { run.plugin().loadResult = 11; },
         {{"KA_ERR_INITFAILED", "Couldn't initialize d3d8 driver", kError}}, 1,
         "Error! couldn't initialize d3d8 driver: Return 11", 0, false},
        {"no render device", [](kaPlayerRun& run) { run.plugin().deviceResult = 4; },
         {{"KA_ERR_INITFAILED", "Error getting render device", kError}}, 2,
         "Error! couldn't get render device: Return 4", 0, false},
        {"render device refuses the window", DeviceFails("InitializeWindowed", 1),
         {{"KA_ERR_INITFAILED", "Error initializing render device", kError}}, 3, kRenderDevice, 0,
         false},
        {"sound system already running", [](kaPlayerRun&) { FSOUND_Init(44100, 16, 0); },
         {{"KA_ERR_READFAIL", "Error creating sound system", kError}}, 5,
         "Error! creating sound system...", 0, false},
        {"music missing", Missing("xMusics/lost_in_space_remix.ogg"),
         {{"KA_ERR_READFAIL", "Error loading song!", kError}}, 5, "Error! creating sound system...", 0,
         false},
        {"music wrong magic", WrongMagic("xMusics/lost_in_space_remix.ogg"),
         {{"KA_ERR_READFAIL", "Error loading song!", kError}}, 5, "Error! creating sound system...", 0,
         false},
        // The stream opens; it ends early (the demo's clock then stops there).
        {"music cut short", CutShort("xMusics/lost_in_space_remix.ogg"), {}, kWholeLog, "", 1, true},
        {"vertex shader refused", DeviceFails("CreateVertexShader", 6),
         {{"Error creating vertex shader", "-> ../xMedia/xShaders/vertex.vsh", kInformation},
          {"Error", "Error initializing renderer", kError}},
         6, "Error! renderer initialization: Return 1", 0, false},
        {"pixel shader refused", DeviceFails("CreatePixelShader", 6),
         {{"Error creating vertex shader", "-> ../xMedia/xShaders/DiffSpecCM.psh", kInformation},
          {"Error", "Error initializing renderer", kError}},
         6,
         "Error! renderer initialization: Return 1", 0, false},
        {"ortho-renderer buffers refused", DeviceFails("CreateVertexBuffer", 1),
         {{"KA_ERR_READFAIL", "Error creating ortho-renderer", kError}}, kWholeLog, "", 0, false},
        {"atten1D.jpg missing", Missing("xImages/atten1D.jpg"), {ReadError("atten1D.jpg")}, kWholeLog, "",
         1, true},
        {"atten2D.jpg wrong magic", WrongMagic("xImages/atten2D.jpg"), {ReadError("atten2D.jpg")},
         kWholeLog, "", 1, true},
    };
    for (const char* shader : {"Atten.psh", "Atten.vsh", "DiffCM.psh", "DiffSpecCM.psh", "Render2d.psh",
                               "SkyBox.psh", "SkyBox.vsh", "vertex.vsh", "vertex2d.vsh"}) {
        cases.push_back({std::string(shader) + " missing", Missing(std::string("xShaders/") + shader),
                         {{"Error", "Error initializing renderer", kError}}, 6,
                         "Error! renderer initialization: Return 1", 0, false});
    }

    // The start-up pictures: a box from the loader, then start-up's own but
    // for the last two, whose failure start-up reports only in its log.  A
    // JPEG cut short decodes as far as it goes.
    for (const char* picture : {"intro.jpg", "garrulon.png", "orbelmark.png", "concept.jpg"}) {
        const std::string path = std::string("xImages/") + picture;
        cases.push_back(Picture(picture, "missing", Missing(path), PictureBoxes(picture), 0));
        cases.push_back(Picture(picture, "wrong magic", WrongMagic(path), PictureBoxes(picture), 0));
    }
    cases.push_back(Picture("garrulon.png", "cut short", CutShort("xImages/garrulon.png"),
                            PictureBoxes("garrulon.png"), 0));
    cases.push_back(Picture("orbelmark.png", "cut short", CutShort("xImages/orbelmark.png"),
                            PictureBoxes("orbelmark.png"), 0));
    cases.push_back(Picture("intro.jpg", "cut short", CutShort("xImages/intro.jpg"), {}, 1));
    cases.push_back(Picture("concept.jpg", "cut short", CutShort("xImages/concept.jpg"), {}, 1));
    cases.push_back(Picture("thanks.jpg", "missing", Missing("xImages/thanks.jpg"), {ReadError("thanks.jpg")}, 0));
    cases.push_back(Picture("thanks.jpg", "wrong magic", WrongMagic("xImages/thanks.jpg"), {ReadError("thanks.jpg")}, 0));
    cases.push_back(Picture("thanks.jpg", "cut short", CutShort("xImages/thanks.jpg"), {}, 1));
    for (const auto& [damage, fault] : {std::pair{"missing", Missing("xImages/flare06.tga")},
                                        {"cut short", CutShort("xImages/flare06.tga")},
                                        {"wrong magic", WrongMagic("xImages/flare06.tga")}}) {
        cases.push_back(Picture("flare06.tga", damage, fault, {ReadError("flare06.tga")}, 0));
    }

    // The character and its clips only warn; the demo runs with what it has.
    const std::vector<Box> character = {{"Error", "loading ../xMedia/xModels/Garrulon.tdm", kWarning},
                                        {"Error", "loading ../xMedia/xModels/Garrulon.tdm", kError},
                                        {"loadTDM", "error loading model...", kWarning}};
    cases.push_back(Picture("Garrulon.tdm", "missing", Missing("xModels/Garrulon.tdm"), character, 1));
    cases.push_back(Picture("Garrulon.tdm", "cut short", CutShort("xModels/Garrulon.tdm"), character, 1));
    cases.push_back(Picture("Garrulon.tdm", "wrong magic", WrongMagic("xModels/Garrulon.tdm"), character, 1));
    const std::pair<const char*, const char*> clips[] = {
        {"qx_ajusta_luva", "qx_ajusta_luva.tdm"}, {"qx_ajusta_oculos", "qx_ajusta_oculos.tdm"},
        {"qx_ajusta_tomates", "qx_ajusta_tomates.tdm"}, {"qx_corre", "qx_corre.tdm"},
        {"qx_respira", "qx_respira.tdm"}, {"qx_ajusta_anal", "qx_ajusta_anal.tdm"},
        {"qx_agarra_hoverboard", "qx_agarra_hoverboard.tda"}, {"qx_pontape", "qx_pontape.tda"},
        {"qx_dancar", "qx_dancar.tda"}, {"qx_gozo1", "qx_gozo1.tda"}, {"qx_gozo2", "qx_gozo2.tda"},
        {"qx_gozo3", "qx_gozo3.tda"}, {"qx_gozo4", "qx_gozo4.tda"}, {"qx_gozo5", "qx_gozo5.tda"},
        {"qx_gozo6", "qx_gozo6.tda"}, {"qx_gozo7", "qx_gozo7.tda"}, {"qx_gozo8", "qx_gozo8.tda"},
        {"qx_voa", "qx_voa.tda"}};
    for (const auto& [clip, text] : clips) {
        const std::string file = std::string(clip) + ".tda";
        cases.push_back(Picture(file, "missing", Missing("xAnimations/" + file), {ClipBox(text)}, 1));
    }
    cases.push_back(Picture("qx_voa.tda", "cut short", CutShort("xAnimations/qx_voa.tda"),
                            {ClipBox("qx_voa.tda")}, 1));
    cases.push_back(Picture("qx_corre.tda", "wrong magic", WrongMagic("xAnimations/qx_corre.tda"),
                            {ClipBox("qx_corre.tdm")}, 1));

    // The stage models stop start-up.
    for (const auto& [file, text] :
         {std::pair{"stage1.tdm", "Error loading stage1.tdm"}, {"stage2.tdm", "Error loading stage2.tdm"},
          {"closeStage.tdm", "Error loading closeStage.tdm"},
          {"closeStage2.tdm", "Error loading closeStage2.tdm"}, {"Final.tdm", "Error loading final.tdm"},
          {"hoverboard.tdm", "Error loading model"}, {"skybox.tdm", "Error loading model"}}) {
        for (StartupCase& model : Model(file, text)) cases.push_back(model);
    }

    // A material's picture only warns, once for every material that uses
    // it, in each of the five formats.
    for (const auto& [picture, uses] : {std::pair{"floorplate.jpg", 3}, {"stone_n.png", 1},
                                        {"hull.dds", 5}, {"trim_n.tga", 5}, {"hull_n.bmp", 5}}) {
        const std::string path = std::string("xImages/") + picture;
        const std::vector<Box> boxes = MaterialBoxes(picture, uses);
        cases.push_back(Picture(picture, "missing", Missing(path), boxes, 1));
        cases.push_back(Picture(picture, "wrong magic", WrongMagic(path), boxes, 1));
        if (std::string(picture) != "floorplate.jpg") {
            cases.push_back(Picture(picture, "cut short", CutShort(path), boxes, 1));
        }
    }

    // The character's path: a file that cannot be opened and one that
    // cannot be read say so under different captions.
    const std::string path = "error loading camera path file ../xMedia/xCinematics/qxPath01.spl";
    cases.push_back(Picture("qxPath01.spl", "missing", Missing("xCinematics/qxPath01.spl"),
                            {{"loadTDM", path, kWarning}}, 1));
    cases.push_back(Picture("qxPath01.spl", "cut short", CutShort("xCinematics/qxPath01.spl"),
                            {{"LoadCameraPath", path, kWarning}}, 1));
    cases.push_back(Picture("qxPath01.spl", "wrong magic", WrongMagic("xCinematics/qxPath01.spl"),
                            {{"LoadCameraPath", path, kWarning}}, 1));
    return cases;
}

// The log a start-up writes when it stops at a step.
std::string ExpectedLog(const StartupCase& startup) {
    const std::string whole = kaTempDir::read(VX_PLAYER_TEST_DIR "/started.log");
    if (startup.successLines == kWholeLog) return whole;
    size_t end = 0;
    for (int line = 0; line < 4 + startup.successLines; ++line) end = whole.find('\n', end) + 1;
    return whole.substr(0, end) + startup.failure + "\n";
}

void PrintTo(const StartupCase& startup, std::ostream* out) { *out << startup.name; }

std::string CaseName(const ::testing::TestParamInfo<StartupCase>& info) {
    std::string name;
    for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

class StartupFailureTest : public ::testing::TestWithParam<StartupCase> {};

// Every way start-up can fail: the boxes, the log, shutdown (the window's
// last title, the closing pictures, the device and its resources released,
// the module unloaded), and the program's answer.
TEST_P(StartupFailureTest, ShowsItsBoxesLogsAndShutsDown) {
    const StartupCase& startup = GetParam();
    kaPlayerRun run;
    startup.damage(run);
    EXPECT_EQ(run.Play(), startup.exitCode);
    FSOUND_Close();

    std::vector<std::string> seen, expected;
    for (const auto& box : run.boxes().boxes()) {
        seen.push_back(box.caption + " | " + box.text + " | " + std::to_string(box.style));
    }
    for (const Box& box : startup.boxes) {
        expected.push_back(box.caption + " | " + box.text + " | " + std::to_string(box.style));
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(run.log(), ExpectedLog(startup));

    const bool windowMade = startup.successLines != 0;
    EXPECT_EQ(run.title(), windowMade ? "Shutting Down Vessamorix Tallowcore ..." : "")
        << "shutdown renames the window (a window that could not be made is not shut down)";
    const kaRecordingDevice* device = run.device();
    const size_t frames = device != nullptr ? device->count("Flip") : 0;
    const size_t closing = 2 * (5 * kaPlayerRun::kFramesPerSecond + 1);
    EXPECT_EQ(frames >= closing, startup.closingPictures) << frames << " frames";
    if (device != nullptr) {
        EXPECT_TRUE(device->isReleased());
        EXPECT_EQ(device->liveResourceCount(), 0u);
        EXPECT_EQ(device->misuse(), std::vector<std::string>());
    }
    if (!run.plugin().events.empty()) {
        EXPECT_EQ(run.plugin().events.back(), "doUnload");
        EXPECT_EQ(run.plugin().devicesLiveAtUnload, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StartupFailureTest, ::testing::ValuesIn(Cases()), CaseName);

}  // namespace
