#pragma once
// Where the firmware updates keep their files, and which programs flash them.
#include "core/data_store.h"
#include "core/worker_state.h"

#include <QString>

// Why no firmware can be fetched for a device, in words for the user: the update server's
// failure when it could not be asked, else that it offers none.
QString noFirmwareCause(const WorkerState& state);

// The file name of a firmware download: the last segment of its link's path (any query left
// out). Empty when that is not a plain file name: no separator, no control character, not "."
// or "..", at most 255 bytes. A hostile link therefore never names a file outside the folder
// it is saved in.
QString firmwareFileNameFromLink(const QString& link);

// Whether a download saved at `path`, or a package unpacked there, would replace the user's
// own data: a file the store keeps beside the firmware (the game map, the macros, a version
// record, the headset settings ...) or the folder of a mouse (/Mouse/<MCU UUID>, known by
// the files kept in it).
bool replacesUserData(const DataStore& store, const QString& path);

// The folder a mouse package is unpacked to, beside the package: its name without the
// archive suffix (".zip", ".tar.gz" ...), or the name + ".unpacked" when it has none or
// nothing plain would be left. Always a plain name for a plain package name.
QString packageFolderName(const QString& packageName);

// The programs a mouse package holds: "FW.sh" flashes the mouse and "Dongle.sh" the receiver
// ("FW.bat" and "Dongle.bat" in the Windows package).
QString mouseFlashProgram();
QString dongleFlashProgram();

// folder/name when that is a regular file lying in the folder itself: neither the file nor the
// folder is a symbolic link, so a package can never make a runner start something elsewhere.
// Empty (and logged) otherwise.
QString programInFolder(const QString& folder, const QString& name);

// The headset's flashing tool and its folder: <program folder>/setupFile/headphone/FW_Update
// (TALVORIN_HEADSET_TOOL_DIR overrides the folder) and "QEL_FW_mptool" ("QEL_FW_mptool.exe"
// on Windows).
QString headsetToolFolder();
QString headsetToolProgram();

// A version record (fw_version.json, dongle_fw_version.json): {"name", "version"}.
bool writeVersionRecord(const QString& path, const QString& name, const QString& version);
