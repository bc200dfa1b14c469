// A zone's map picture with its calibration file, the calibration panel of
// the main window, Calibration Mode and the capture of the reference points.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/program_win.h"

namespace tolvik {

// Reads the calibration file at `path` into `points` (zeros for what is missing).
void ReadCalibrationFile(const std::string& path, CalibrationPoints& points);

// Writes the eight keys of `points` to the calibration file at `path`.
void WriteCalibrationFile(const std::string& path, const CalibrationPoints& points);

// "<Zones Folder><zone>.jpg", for a zone whose name is a plain file name.
std::string ZonePicturePath(const AppState& app, const std::string& zone);

// Whether a zone picture of this size is decoded: a picture size that is
// allowed, whose map bitmap (with its margins) is allowed too.
bool ZonePictureSizeAllowed(std::int64_t width, std::int64_t height);

// Reads "<zone>.ini" into the Current Map's reference points (zeros when
// there is none, or when the name is no plain file name).
void ReadZoneCalibration(Program& program, const std::string& zone);

// Loads "<Zones Folder><zone>.jpg" and reads "<zone>.ini" into the Current
// Map's reference points (whether or not the picture loaded). The caller
// owns the bitmap; null when there is no picture.
HBITMAP LoadZoneImage(Program& program, const std::string& zone);

// Writes the reference points into the eight fields of the calibration panel.
void ShowCalibrationFields(HWND window, const Program& program);

// Command "Save Calibration": the panel's values go to the zone's file and
// the map counts as calibrated.
void SaveCalibration(HWND window, Program& program);

// Command "Calibrate": enters or leaves Calibration Mode, or says why not
// (`listedZone` is the zone list's selection). True when the mode changed;
// the caller then shows or hides the calibration panel.
bool ToggleCalibrationMode(HWND window, Program& program, const std::string& listedZone);

// Mouse move in Calibration Mode: the shift keys capture the reference
// points under the mouse. `position` is the mouse-move message's parameter.
void CaptureReferencePoint(HWND window, Program& program, LPARAM position);

}  // namespace tolvik
