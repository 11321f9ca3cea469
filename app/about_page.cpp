#include "app/about_page.h"

std::vector<std::string> AboutLines;
int AboutLineCount = 1;
int BadgesPerRow = 16;

void MakeAboutLines() {
  AboutLines.assign(100, "");
  AboutLineCount = 1;
}
