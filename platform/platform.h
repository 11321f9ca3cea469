// The platform: every service the framework takes from the machine, as plain
// procedures over integer handles. Only this room includes SDL, OpenAL,
// FreeType, libpng and libvorbis. Handle 0 always means "none"; an operation
// that fails returns 0, an empty text or false and reports nothing.
//
// Coordinates are canvas pixels (the virtual resolution), origin top-left,
// y down; angles are degrees, clockwise on screen. Texts are Latin-1 bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plat {

// ---------------------------------------------------------------- modules
struct DisplayMode {
  int width = 0, height = 0, depth = 0, refresh = 0;
};

// Test mode: the real code paths, headless and deterministic. Never used by
// the shipped program.
struct TestMode {
  bool enabled = false;
  std::string programFolder;           // taken as the folder that holds the program
  int frameCostMs = 16;                // virtual time each presented frame costs
  std::function<int()> frameCost;      // when set, overrides frameCostMs (may read DrawCallsThisFrame)
  std::function<void()> script;        // runs at every input pump: set input with the Test* calls
  std::vector<DisplayMode> modes;      // when not empty, replaces the machine's mode list
  const char* audioDriver = "dummy";   // SDL audio driver the test wants ("dummy" or "disk")
  bool keepFrames = false;             // copy every presented frame for TestReadPixel
};

// Starts SDL's modules. With a test mode: dummy video, software renderer,
// virtual clock, scripted input, captured process end.
bool Init(const TestMode* test = nullptr);
// Ends the run: closes the display and SDL. Used by tests between runs.
void Shutdown();
bool InTestMode();

// Ends the program with the code. In test mode it unwinds to the harness
// by throwing ProcessEnded instead.
struct ProcessEnded {
  int code;
};
[[noreturn]] void EndProcess(int code);

// ---------------------------------------------------------------- display
// Back ends by the framework's numbering: 0 OpenGL, 1 "DirectX 9", 2 "DirectX 7".
void SelectGraphicsDriver(int backend);
int CountDisplayModes();
DisplayMode GetDisplayMode(int index);               // index from 0
bool DisplayModeExists(int width, int height, int depth);
// Opens the window (depth 0) or the full screen (depth > 0). Returns false
// when neither the chosen renderer nor the software fallback opens.
bool OpenDisplay(int width, int height, int depth, int refresh);
// True when the last OpenDisplay had to fall back to the software renderer.
bool UsedRendererFallback();
const char* RendererName();
void CloseDisplay();
bool DisplayIsOpen();
void SetWindowTitle(const std::string& title);
// The canvas every drawing call addresses; stretched to the display.
void SetVirtualResolution(int width, int height);
void ClearScreen();
// Hands the frame's queued drawing to the renderer now, so it can work while
// the caller waits for the frame's time.
void FlushDrawing();
void PresentFrame();
int DrawCallsThisFrame();   // quads drawn since the last present
// Reads the back buffer as RGBA (canvas size is not implied: display pixels).
bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height);

// ---------------------------------------------------------------- draw state
enum Blend { BlendSolid = 0, BlendAlpha = 1, BlendShade = 2, BlendLight = 3 };
void SetColor(int r, int g, int b);
void GetColor(int& r, int& g, int& b);
void SetAlpha(float alpha);
float GetAlpha();
void SetBlend(int blend);
int GetBlend();
void SetScale(float x, float y);
float GetScaleX();
float GetScaleY();
void SetRotation(float degrees);
float GetRotation();

// ---------------------------------------------------------------- drawing
// Rectangles and lines rotate and scale about (x, y).
void DrawRect(float x, float y, float width, float height);
void DrawLine(float x1, float y1, float x2, float y2);
// One frame of an image, its handle point at (x, y).
void DrawImage(int image, float x, float y, int frame = 0);
// Text with its top-left corner at (x, y), in the current font.
void DrawText(const std::string& text, float x, float y);

// ---------------------------------------------------------------- fonts
// Font 0 is the built-in font, always there.
int LoadFont(const std::string& path, int pixelSize);
void SetFont(int font);
int GetFont();
int TextWidth(const std::string& text);   // unscaled pixels, current font
int TextHeight(const std::string& text);

// ---------------------------------------------------------------- images
void SetAutoMidHandle(bool on);
// Loads a PNG of any colour type and depth. masked: pure black (0, 0, 0)
// becomes transparent in images with neither alpha nor tRNS. filtered: smooth
// scaling, else crisp. 0 for a missing, broken or oversized (> 64M pixels) file.
int LoadImage(const std::string& path, bool masked, bool filtered);
// Loads a PNG cut into cells of cellW x cellH, row by row, frames from cell
// first on; fewer than count when the sheet ends first. 0 when no whole cell
// fits or first is past the last cell.
int LoadAnimImage(const std::string& path, int cellW, int cellH, int first, int count,
                  bool masked, bool filtered);
// Makes an image from RGBA pixels (row-major, width x height).
int CreateImage(int width, int height, const uint8_t* rgba, bool filtered, int cellW = 0,
                int cellH = 0);
int ImageWidth(int image);    // one cell
int ImageHeight(int image);
int ImageFrames(int image);
void SetImageHandle(int image, float x, float y);
// Pixel of a frame as 0xAARRGGBB (0 outside the image).
uint32_t ReadImagePixel(int image, int frame, int x, int y);
// Pixel-exact overlap of two frames, each placed as DrawImage places it with
// the given scale (negative mirrors) and rotation. They overlap when some
// canvas pixel's centre falls in a source pixel with alpha > 0 of both
// (left and top edges of a source pixel inside, right and bottom outside).
bool ImagesOverlap(int image1, int frame1, float x1, float y1, float sx1, float sy1, float rot1,
                   int image2, int frame2, float x2, float y2, float sx2, float sy2, float rot2);
// Makes an opaque image of the current back buffer, box-filtered to the canvas size.
int GrabBackBuffer();
void FreeImage(int image);
// Writes RGBA pixels as a PNG at compression level 0-9.
bool SavePng(const std::string& path, int width, int height, const uint8_t* rgba, int level);

// ---------------------------------------------------------------- audio
int CountAudioDrivers();
std::string AudioDriverName(int index);              // index from 0
bool OpenALAvailable();
// Chooses the driver the audio output opens with; empty: the platform's default.
void SetAudioDriver(const std::string& name);
std::string AudioDriverInUse();
// The output opens on the first sound or channel, with the chosen driver;
// where that driver opens no device, SDL's "dummy" driver is taken, so
// channels still play and finish. In test mode TestMode::audioDriver is used.
// WAV (any format SDL reads) or Ogg Vorbis, told apart by content; 0 for a
// missing, damaged or oversized file.
int LoadSound(const std::string& path);
int AllocChannel();                                  // 0 when none can be made
void CueSound(int sound, int channel);               // ready at its start, paused
void SetChannelVolume(int channel, float volume);    // 1 as recorded; above 1 louder
void SetChannelPan(int channel, float pan);          // -1 left .. 1 right; mono sounds only
void SetChannelPitch(int channel, float rate);       // speed factor, 1 as recorded
void ResumeChannel(int channel);                     // starts a cued or paused channel
void StopChannel(int channel);
// True while the channel sounds; a cued channel not yet resumed is not playing.
bool ChannelPlaying(int channel);

// ---------------------------------------------------------------- input
// Keys by Windows virtual-key code (1-255).
bool KeyDown(int vk);
int KeyHit(int vk);           // presses since the last poll of this key
void FlushKeys();
bool MouseDown(int button);   // 1 left, 2 right, 3 middle
int MouseHit(int button);     // presses since the last poll of this button
float MouseX();               // canvas pixels
float MouseY();
void MoveMouse(float x, float y);
void ShowPointer(bool shown);
int GetTypedChar();           // next typed character, 0 when none
bool CloseRequested();        // reading clears the request
// Windows virtual-key code of an SDL scancode, 0 when it has none.
int VirtualKeyOfScancode(int scancode);
int ScancodeOfVirtualKey(int vk);

// Joysticks are found once, at the first of these calls; ports count from 0.
int CountJoysticks();
std::string JoystickName(int port);
uint32_t JoystickButtonMask(int port);
// Axes 0-5: X, Y, Z, R, U, V, each -1..1.
float JoystickAxis(int port, int axis);
// -1 centred, otherwise a fraction of a turn clockwise from up.
float JoystickHat(int port);
bool JoystickButton(int port, int button);

// ---------------------------------------------------------------- files
std::string ProgramFolder();                         // with a trailing '/'
bool ChangeDir(const std::string& path);
std::string CurrentDir();
bool FileExists(const std::string& path);
bool DeleteFile(const std::string& path);
bool CreateEmptyFile(const std::string& path);
// Reads a text file as lines: a line ends at LF, NUL or the end of the
// file, and every CR is dropped. False when it cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);
// Writes the lines, each followed by CR LF, to a temporary file beside the
// target and renames it over the target, so a failed write keeps the old file.
bool WriteLinesAtomic(const std::string& path, const std::vector<std::string>& lines);
// A file kept open for appending lines (the log). 0 when it cannot be created.
int CreateTextFile(const std::string& path);
void WriteTextLine(int file, const std::string& line);
void CloseTextFile(int file);

// ---------------------------------------------------------------- time, chance, memory
uint32_t Millis();            // milliseconds of the monotonic clock, wrapping at 2^32
void Sleep(int ms);
// Sleeps until Millis would read the (fractional) time given; at once when it has passed.
void SleepUntil(double millis);
std::string CurrentDate();    // "11 Dec 2026"
std::string CurrentTime();    // "07:50:54"
void SeedRandom(uint32_t seed);
int RandomInt(int low, int high);   // inclusive
long long HeapBytesInUse();   // bytes the process has allocated and not freed
long long HeapFreeChunks();   // free chunks the heap holds for reuse

// ---------------------------------------------------------------- test mode
// Scripted input, to be called from TestMode::script (or between frames).
void TestSetKey(int vk, bool down);
void TestSetMouse(float canvasX, float canvasY);
void TestSetMouseButton(int button, bool down);
void TestTypeChar(int ch);
void TestRequestClose();
int TestFramesPresented();
// SDL virtual joysticks, read through the same path as real ones. Attaching
// opens the joystick list afresh, so the new joystick is counted; returns its
// port, -1 on failure. Axis values -1..1; the hat as JoystickHat reports it
// (-1 centred, else the nearest eighth of a turn clockwise from up).
int TestAttachJoystick(const std::string& name, int axes, int buttons, int hats);
void TestSetJoystickAxis(int port, int axis, float value);
void TestSetJoystickHat(int port, float hat);
void TestSetJoystickButton(int port, int button, bool down);
// Reads one canvas pixel of the last presented frame as 0xRRGGBB.
uint32_t TestReadPixel(int canvasX, int canvasY);
// What a channel was last given, read back from the mixer.
struct ChannelState {
  bool exists = false;      // false for a handle that is not a channel
  int sound = 0;            // the sound last cued on it
  float volume = 0, rate = 0, pan = 0;
  int sampleOffset = 0;     // frames played of the cued sound
  bool cued = false;        // at its start, waiting for ResumeChannel
  bool playing = false;
};
ChannelState TestChannelState(int channel);
// What a loaded sound holds, as the mixer has it.
struct SoundState {
  bool exists = false;
  int channels = 0, bits = 0, rate = 0, frames = 0;
};
SoundState TestSoundState(int sound);

// A PNG in any of the format's layouts, for loader tests (SavePng writes RGBA only).
struct TestPng {
  int width = 0, height = 0;
  int colourType = 6;             // 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
  int bitDepth = 8;               // 1, 2, 4, 8 or 16, as the colour type allows
  bool interlaced = false;        // Adam7
  std::vector<uint16_t> samples;  // row-major, every channel of a pixel; palette indices for type 3
  std::vector<uint8_t> palette;   // R, G, B per entry, type 3
  std::vector<uint16_t> tRNS;     // alpha per palette entry, or the one transparent grey / R, G, B
};
bool TestWritePng(const std::string& path, const TestPng& png);

}  // namespace plat
