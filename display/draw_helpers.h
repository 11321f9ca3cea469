// The drawing layer every room draws through: draw-state setters with the
// framework's conventions, aligned text, font selection, the pointer hit
// test, budgeted image drawing and the band backdrop. Canvas pixels, origin
// top-left; degrees clockwise; colours 0-255, alpha 0-1.
#pragma once

#include <optional>
#include <string>
#include <vector>

// ---- whole run, replaced at every display set-up
extern std::vector<int> FontSlots;     // 14 entries, slots 1-13
extern std::vector<int> SizedFonts;    // 30 entries: (set - 1) * 10 + size index
// ---- per frame: counts reset by BeginFrame; limits set by the engine test
extern std::vector<int> DrawCounts;    // categories 1 main sprites, 2 glow, 3 particles
extern std::vector<int> DrawLimits;
// ---- whole run: the backdrop eases its colour toward the target
extern float BackdropColour[3];
extern float BackdropTarget[3];

void MakeFontTables();
void MakeDrawBudgets();

// Rotation 0, scale 1, white, alpha 1, alpha blending.
void ResetDrawState();
// 0 solid, 1 alpha, 2 shade, 3 light; any other value changes nothing.
void SetBlendKind(int kind);
// Colours are clamped to 0-255 and truncated; an alpha left out leaves the
// alpha as it is (so a tint does not disturb a fade), one given is clamped to 0-1.
void SetDrawColour(float red, float green, float blue, std::optional<float> alpha = std::nullopt);
// The scale; y defaults to x.
void SetDrawScale(float x, float y);
void SetDrawScale(float x);
void SetDrawRotation(float degrees);
// Set 1-3 (else 1), size index 0-8 (else 0) of SizedFonts.
void SelectFont(int set, int size);
// Horizontal 0 left, 1 centre, 2 right; vertical 0 top, 1 centre, 2 bottom.
void DrawTextAligned(int x, int y, const std::string& text, int horizontal, int vertical);
// Where DrawTextAligned puts the top-left corner of a text of that size.
void AlignTextCorner(int& x, int& y, int width, int height, int horizontal, int vertical);
// True when the captured pointer is strictly inside.
bool MouseInRect(int x, int y, int width, int height);
// Draws a frame with its unrotated top-left corner at (x, y), counted against
// the category's budget; skipped on dropped frames in slow-system mode.
void DrawBudgetedImage(int image, int x, int y, int frame, int category);
// The same, plus a larger additive copy (glow 0: the image itself) sharing its centre.
void DrawGlowImage(int image, int x, int y, int frame, int glow, float glowScale, float glowAlpha);
// The animated diagonal bands behind the menus.
void DrawBackdrop();
