#pragma once
// How a program the user links to a profile is identified.
#include <QString>

// The path the user chose as a local path: a file:// address is turned into its path.
QString chosenExecutablePath(const QString& chosen);

// The executable's path with links and "." / ".." resolved; empty when it does not exist.
QString canonicalExecutablePath(const QString& path);

// The first 16 hexadecimal digits (lower case) of the SHA-256 of the lower-cased path in UTF-8.
QString applicationAppId(const QString& canonicalPath);
