// Control codes: key names, the keyboard map behind them, and reading and
// detecting keys and joystick inputs through SDL's virtual joysticks.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/program.h"
#include "platform/platform.h"
#include "settings/controls.h"
#include "settings/joysticks.h"
#include "tests/harness.h"

namespace {

constexpr int kF11 = 122, kF12 = 123, kZ = 90;

// Keys SDL gives no scancode of their own: the mouse buttons, and Print
// (VK_PRINT), which no PC keyboard has; Print Screen is "Screen" (44).
bool HasNoKey(int code) { return code <= 3 || code == 42; }

TEST(KeyNames, ByCode) {
  struct Case {
    int code;
    const char* name;
  };
  const Case cases[] = {
      {0, "Pause"},       {1, "Left Mousebutton"}, {3, "Middle Mousebutton"}, {8, "Backspace"},
      {9, "Tab"},         {12, "Clear"},           {13, "Return"},            {16, "-14"},
      {19, "Pause"},      {20, "CapsLock"},        {27, "Escape"},            {32, "Space"},
      {33, "Page Up"},    {40, "Down"},            {42, "Print"},             {44, "Screen"},
      {46, "Delete"},     {47, "17"},              {48, "0"},                 {57, "9"},
      {65, "A"},          {90, "Z"},               {91, "Sys Left"},          {92, "Sys Right"},
      {96, "0"},          {105, "9"},              {106, "*"},                {107, "+"},
      {108, "V-"},        {109, "-"},              {110, "."},                {111, "/"},
      {112, "F1"},        {123, "F12"},            {124, "-6"},               {144, "NumLock"},
      {145, "ScrollLock"}, {160, "LShift"},        {165, "RAlt"},             {173, "Mute"},
      {174, "Volume Down"}, {175, "Volume Up"},    {186, ";"},                {187, "="},
      {192, "'"},         {219, "["},              {220, "\\"},               {222, "#"},
      {223, "`"},         {226, "\\"},             {300, "Y-"},               {301, "Y+"},
      {303, "X+"},        {306, "U-"},             {309, "V+"},               {311, "R+"},
      {312, "-18"},       {320, "Up"},             {323, "Left"},             {325, "Right"},
      {328, "Down"},      {330, "0"},              {335, "5"},                {349, "19"},
      {453, "X+"},        {478, "Down"},           {499, "19"},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyName(c.code), c.name) << "code " << c.code;
}

TEST(KeyNames, EveryNamedKeyOfAPcKeyboardHasAScancodeBothWays) {
  for (int code = 1; code <= 255; ++code) {
    if (!KeyHasOwnName(code) || HasNoKey(code)) continue;
    const int sc = plat::ScancodeOfVirtualKey(code);
    ASSERT_NE(sc, 0) << KeyName(code) << " (" << code << ")";
    EXPECT_EQ(plat::VirtualKeyOfScancode(sc), code) << KeyName(code) << " (" << code << ")";
  }
}

// A headless display with fresh program tables; joysticks attached by a test
// are found by its own DetectJoysticks call.
class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    mode.enabled = true;
    mode.programFolder = harness::MakeTempFolder();
    ASSERT_TRUE(plat::Init(&mode));
    ASSERT_TRUE(plat::OpenDisplay(640, 480, 0, 60));
    MakeProgramTables();
    DetectJoysticks();
  }
  void TearDown() override { plat::Shutdown(); }

  int Attach(const std::string& name, int axes = 6, int buttons = 20, int hats = 1) {
    const int port = plat::TestAttachJoystick(name, axes, buttons, hats);
    EXPECT_GE(port, 0) << name;
    return port;
  }
  // Releases a key; the release lands at the frame end.
  void ReleaseKey(int vk) {
    plat::TestSetKey(vk, false);
    plat::PresentFrame();
  }
  plat::TestMode mode;
};

TEST_F(Controls, EveryNamedKeyIsReadAndDetectedThroughKeyEvents) {
  for (int code = 4; code <= 255; ++code) {
    if (!KeyHasOwnName(code) || HasNoKey(code)) continue;
    SCOPED_TRACE(KeyName(code) + " (" + std::to_string(code) + ")");
    plat::TestSetKey(code, true);
    EXPECT_EQ(ControlCodeHeld(code), code >= 10 ? 1 : 0);
    // F11 and F12 are the screenshot and overlay keys: never captured.
    EXPECT_EQ(DetectControl(), code == kF11 || code == kF12 ? 0 : code);
    ReleaseKey(code);
    EXPECT_EQ(ControlCodeHeld(code), 0);
    EXPECT_EQ(DetectControl(), 0);
  }
}

TEST_F(Controls, DefaultsFollowTheArrowsAndZXCVForPlayerOneOnly) {
  const int keys[8][2] = {{0, 38}, {3, 37}, {5, 39}, {8, 40}, {10, 90}, {11, 88}, {12, 67}, {13, 86}};
  for (const auto& k : keys) {
    SCOPED_TRACE(k[0]);
    EXPECT_EQ(ControlValue(k[0], 1), 0);
    plat::TestSetKey(k[1], true);
    EXPECT_EQ(ControlValue(k[0], 1), 1);
    for (int player = 2; player <= 5; ++player) EXPECT_EQ(ControlValue(k[0], player), 0);
    ReleaseKey(k[1]);
  }
  for (int i = 0; i <= 100; ++i) EXPECT_EQ(KeyBindings[static_cast<size_t>(i)], DefaultKeyBinding(i)) << i;
}

TEST_F(Controls, DetectJoysticksRecordsNamesButtonsRestPositionsAndHatUsability) {
  const int steady = Attach("Steady Pad", 6, 12, 1);
  const int pressed = Attach("Pressed Hat", 2, 4, 1);
  const int hatless = Attach("No Hat", 2, 33, 0);
  const float rests[6] = {0.05f, -0.1f, 0.0f, 0.2f, -0.3f, 0.5f};
  for (int axis = 0; axis < 6; ++axis) plat::TestSetJoystickAxis(steady, axis, rests[axis]);
  plat::TestSetJoystickHat(pressed, 0.25f);
  DetectJoysticks();

  ASSERT_EQ(JoystickCount, 3);
  struct Want {
    const char* name;
    unsigned mask;
    int hatUsable;
  };
  const Want want[4] = {{}, {"Steady Pad", 0xFFFu, 1}, {"Pressed Hat", 0xFu, 0}, {"No Hat", 0xFFFFFFFFu, 1}};
  for (int j = 1; j <= 3; ++j) {
    EXPECT_EQ(Joysticks[j].name, want[j].name);
    EXPECT_EQ(Joysticks[j].buttonMask, want[j].mask) << j;
    EXPECT_EQ(Joysticks[j].hatUsable, want[j].hatUsable) << j;
    EXPECT_EQ(Joysticks[j].enabled, 1);
  }
  for (int axis = 0; axis < 6; ++axis) EXPECT_NEAR(Joysticks[1].rest[axis], rests[axis], 1e-4) << axis;
  // Axes a device lacks rest at 0.
  for (int axis = 2; axis < 6; ++axis) EXPECT_EQ(Joysticks[3].rest[axis], 0.0f);
  EXPECT_EQ(plat::JoystickHat(hatless), -1.0f);
}

TEST_F(Controls, AtMostFourJoysticksAreKept) {
  for (int i = 1; i <= 5; ++i) Attach("Pad " + std::to_string(i));
  DetectJoysticks();
  EXPECT_EQ(JoystickCount, 4);
  plat::TestSetJoystickButton(4, 0, true);
  EXPECT_EQ(ControlCodeHeld(530), 0);   // would be joystick 5's button 0
  EXPECT_EQ(DetectControl(), 0);
}

TEST_F(Controls, AxesReadInTheUnitRange) {
  const int port = Attach("Pad");
  const float values[] = {-1.0f, -0.5f, 0.0f, 0.25f, 1.0f, 3.0f, -3.0f};
  const float want[] = {-1.0f, -0.5f, 0.0f, 0.25f, 1.0f, 1.0f, -1.0f};
  for (size_t i = 0; i < std::size(values); ++i) {
    plat::TestSetJoystickAxis(port, 2, values[i]);
    EXPECT_NEAR(plat::JoystickAxis(port, 2), want[i], 1e-4) << values[i];
  }
  EXPECT_EQ(plat::JoystickAxis(port, 6), 0.0f);
  EXPECT_EQ(plat::JoystickAxis(port + 1, 0), 0.0f);
}

// Each axis direction against its own rest position, 0.3 away, with values
// a hundredth either side of the margin.
TEST_F(Controls, AxisDirectionsCountMoreThanTheMarginFromRest) {
  const int port = Attach("Pad");
  const float rests[6] = {0.05f, 0.05f, 0.0f, 0.2f, -0.3f, 0.5f};   // X, Y, Z, R, U, V
  for (int axis = 0; axis < 6; ++axis) plat::TestSetJoystickAxis(port, axis, rests[axis]);
  DetectJoysticks();

  struct Case {
    int s, axis, direction;
  };
  const Case cases[] = {{0, 1, -1}, {1, 1, 1}, {2, 0, -1}, {3, 0, 1},  {4, 2, -1},  {5, 2, 1},
                        {6, 4, -1}, {7, 4, 1}, {8, 5, -1}, {9, 5, 1}, {10, 3, -1}, {11, 3, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE("sub-code " + std::to_string(c.s));
    const int code = 300 + c.s, opposite = 300 + (c.s ^ 1);
    EXPECT_EQ(ControlCodeHeld(code), 0);
    plat::TestSetJoystickAxis(port, c.axis, rests[c.axis] + c.direction * 0.29f);
    EXPECT_EQ(ControlCodeHeld(code), 0);
    EXPECT_EQ(DetectControl(), 0);
    plat::TestSetJoystickAxis(port, c.axis, rests[c.axis] + c.direction * 0.31f);
    EXPECT_EQ(ControlCodeHeld(code), 1);
    EXPECT_EQ(ControlCodeHeld(opposite), 0);
    EXPECT_EQ(DetectControl(), code);
    plat::TestSetJoystickAxis(port, c.axis, rests[c.axis]);
  }
}

TEST_F(Controls, HatRangesOverlapOnDiagonalsAndDetectionWantsExactDirections) {
  const int port = Attach("Pad");
  DetectJoysticks();
  ASSERT_EQ(Joysticks[1].hatUsable, 1);
  struct Case {
    float hat;
    std::set<int> active;
    int detected;
  };
  const Case cases[] = {
      {-1.0f, {}, 0},          {0.0f, {320}, 320},        {0.125f, {320, 325}, 0},
      {0.25f, {325}, 325},     {0.375f, {325, 328}, 0},   {0.5f, {328}, 328},
      {0.625f, {328, 323}, 0}, {0.75f, {323}, 323},       {0.875f, {323, 320}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hat);
    plat::TestSetJoystickHat(port, c.hat);
    EXPECT_EQ(plat::JoystickHat(port), c.hat);
    for (int code : {320, 323, 325, 328}) EXPECT_EQ(ControlCodeHeld(code), c.active.count(code) ? 1 : 0) << code;
    EXPECT_EQ(DetectControl(), c.detected);
  }
}

TEST_F(Controls, AHatHeldAtStartUpIsNeverRead) {
  const int port = Attach("Pad");
  plat::TestSetJoystickHat(port, 0.5f);
  DetectJoysticks();
  for (float hat : {0.0f, 0.25f, 0.5f}) {
    plat::TestSetJoystickHat(port, hat);
    for (int code : {320, 323, 325, 328}) EXPECT_EQ(ControlCodeHeld(code), 0) << hat << " " << code;
    EXPECT_EQ(DetectControl(), 0) << hat;
  }
}

TEST_F(Controls, ButtonsAreReadUpToNineteenAndDetectedUpToEighteen) {
  const int port = Attach("Pad", 6, 20, 1);
  DetectJoysticks();
  struct Case {
    int button, detected;
  };
  const Case cases[] = {{0, 330}, {1, 331}, {7, 337}, {18, 348}, {19, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    plat::TestSetJoystickButton(port, c.button, true);
    EXPECT_EQ(ControlCodeHeld(330 + c.button), 1);
    EXPECT_EQ(DetectControl(), c.detected);
    plat::TestSetJoystickButton(port, c.button, false);
    EXPECT_EQ(ControlCodeHeld(330 + c.button), 0);
  }
}

// Detection goes by the button mask recorded at start-up.
TEST_F(Controls, DetectionPassesOverButtonsOutsideTheMask) {
  const int port = Attach("Pad", 6, 8, 1);
  DetectJoysticks();
  Joysticks[1].buttonMask = 0xF0u;
  plat::TestSetJoystickButton(port, 2, true);
  EXPECT_EQ(ControlCodeHeld(332), 1);
  EXPECT_EQ(DetectControl(), 0);
  plat::TestSetJoystickButton(port, 5, true);
  EXPECT_EQ(DetectControl(), 335);
}

TEST_F(Controls, ASwitchedOffJoystickIsNeverActiveNorDetected) {
  const int first = Attach("One");
  const int second = Attach("Two");
  DetectJoysticks();
  Joysticks[2].enabled = 0;
  plat::TestSetJoystickAxis(second, 0, -0.9f);   // X-: code 352
  plat::TestSetJoystickButton(second, 0, true);
  plat::TestSetJoystickHat(second, 0.0f);
  for (int code : {352, 370, 380}) EXPECT_EQ(ControlCodeHeld(code), 0) << code;
  EXPECT_EQ(DetectControl(), 0);
  plat::TestSetJoystickButton(first, 2, true);
  EXPECT_EQ(DetectControl(), 332);
  Joysticks[2].enabled = 1;
  EXPECT_EQ(ControlCodeHeld(352), 1);
  EXPECT_EQ(DetectControl(), 332);   // joystick 1 comes first
}

TEST_F(Controls, CodesOutsideTheJoysticksFoundAreNeverActive) {
  const int port = Attach("Only");
  DetectJoysticks();
  plat::TestSetJoystickButton(port, 0, true);
  plat::TestSetJoystickAxis(port, 1, 0.9f);
  EXPECT_EQ(ControlCodeHeld(330), 1);
  EXPECT_EQ(ControlCodeHeld(301), 1);
  // Joysticks 2-4 were not found; 500 and up name none; 255-299 are nothing.
  for (int code : {380, 351, 430, 480, 500, 501, 530, 280, 299, 255, 312, 319, 350 + 301, -1, -20})
    EXPECT_EQ(ControlCodeHeld(code), 0) << code;
}

TEST_F(Controls, DetectionTakesKeysThenEachJoystickInItsOrder) {
  const int one = Attach("One");
  const int two = Attach("Two");
  DetectJoysticks();
  struct Input {
    int port;        // -1: a key
    char kind;       // 'k' key, 'a' axis, 'h' hat, 'b' button
    int which;
    float value;
  };
  struct Case {
    const char* what;
    std::vector<Input> inputs;
    int detected;
  };
  const Case cases[] = {
      {"a key before any joystick", {{one, 'b', 0, 1}, {-1, 'k', kZ, 1}}, kZ},
      {"F12 blocks everything", {{-1, 'k', kZ, 1}, {-1, 'k', kF12, 1}, {one, 'b', 0, 1}}, 0},
      {"axes before the hat", {{one, 'h', 0, 0.25f}, {one, 'a', 0, 0.9f}}, 303},
      {"Y before X", {{one, 'a', 0, 0.9f}, {one, 'a', 1, -0.9f}}, 300},
      {"R after V", {{one, 'a', 3, -0.9f}, {one, 'a', 5, 0.9f}}, 309},
      {"the hat before buttons", {{one, 'b', 0, 1}, {one, 'h', 0, 0.75f}}, 323},
      {"lower buttons first", {{one, 'b', 9, 1}, {one, 'b', 4, 1}}, 334},
      {"joystick 1 before 2", {{two, 'a', 1, -0.9f}, {one, 'b', 18, 1}}, 348},
      {"joystick 2 when 1 is idle", {{two, 'a', 1, -0.9f}}, 350},
      {"joystick 2's hat", {{two, 'h', 0, 0.5f}}, 378},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const Input& in : c.inputs) {
      switch (in.kind) {
        case 'k': plat::TestSetKey(in.which, true); break;
        case 'a': plat::TestSetJoystickAxis(in.port, in.which, in.value); break;
        case 'h': plat::TestSetJoystickHat(in.port, in.value); break;
        case 'b': plat::TestSetJoystickButton(in.port, in.which, true); break;
      }
    }
    EXPECT_EQ(DetectControl(), c.detected);
    for (const Input& in : c.inputs) {
      switch (in.kind) {
        case 'k': ReleaseKey(in.which); break;
        case 'a': plat::TestSetJoystickAxis(in.port, in.which, 0); break;
        case 'h': plat::TestSetJoystickHat(in.port, -1); break;
        case 'b': plat::TestSetJoystickButton(in.port, in.which, false); break;
      }
    }
    ASSERT_EQ(DetectControl(), 0);
  }
}

// Tests start and stop SDL in one process: joysticks of an earlier run are
// gone, and asking after them is safe.
TEST_F(Controls, AFreshStartForgetsTheJoysticksOfTheLastRun) {
  const int port = Attach("Pad");
  DetectJoysticks();
  ASSERT_EQ(JoystickCount, 1);
  plat::Shutdown();
  ASSERT_TRUE(plat::Init(&mode));
  EXPECT_EQ(plat::CountJoysticks(), 0);
  EXPECT_EQ(plat::JoystickName(port), "");
  EXPECT_FALSE(plat::JoystickButton(port, 0));
  EXPECT_EQ(plat::JoystickHat(port), -1.0f);
  EXPECT_EQ(Attach("Next"), 0);
}

}  // namespace
