// The few platform services the settings reader uses, served from memory so
// the fuzz targets need neither SDL nor a disk.
#pragma once

#include <string>
#include <vector>

// The bytes every ReadLines call returns as a file's contents.
void SetStubFile(const std::string& bytes);
// The audio drivers the platform reports.
void SetStubAudioDrivers(const std::vector<std::string>& names);
// The driver ReadSettings handed to the platform, empty when none.
std::string StubAudioDriverSet();
// The lines DebugLog wrote since the last SetStubFile.
const std::vector<std::string>& StubLog();
