#pragma once

// The program as its start runs it, on the headless backend, for the targets that feed it files.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/mainform.h"

namespace pellino::fuzz {

using Bytes = std::vector<std::uint8_t>;

// Every fake back to its start state: the clock at 2026-01-05 09:00, an empty program folder, the
// fixed locale set with United States regional settings; every message box answered Ok.
void ResetProgram();

// A file in the program's folder, by the program's own path.
void WriteProgramFile(const std::string& programPath, const std::string_view bytes);
Bytes ReadProgramFile(const std::string& programPath);
bool ProgramFileExists(const std::string& programPath);

// The process start up to the end of the first activation: the main window is created (settings
// and data file read), made the main window and shown.
std::unique_ptr<TMainForm> StartProgram();

// Paints both lists on a recording canvas, as the window system asks for after the start.
void PaintLists(TMainForm& form);

}  // namespace pellino::fuzz
