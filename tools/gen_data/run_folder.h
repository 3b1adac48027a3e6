#pragma once
#include <filesystem>
#include <vector>

#include "contact_sheet.h"

// Fills the folder the game runs in: bmps/, wavs/, music/ and, if there is none yet,
// config.ini. Each picture written is also handed back for the contact sheet. False,
// after saying why on standard error, when anything could not be written.
bool WriteRunFolder(const std::filesystem::path& folder, std::vector<SheetEntry>& pictures);
