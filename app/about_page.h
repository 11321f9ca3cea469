// The About page's text, made at start-up.
#pragma once

#include <string>
#include <vector>

// ---- whole run
extern std::vector<std::string> AboutLines;   // 100 texts, lines 1 .. AboutLineCount - 1
extern int AboutLineCount;                    // starts at 1
extern int BadgesPerRow;                      // badges the score table shows per row

void MakeAboutLines();
