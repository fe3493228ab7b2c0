#pragma once
#include <QString>

// The per-user data folder of the application (Qt's AppDataLocation), or the folder named by
// TALVORIN_DATA_DIR when that is set (the demo and the tests keep their own data that way).
QString appDataFolder();
