#pragma once
// The store files the kill test writes over and over, with the program's own writers, and
// what each holds after a write of a given generation.
#include <QByteArray>
#include <QString>
#include <QStringList>

// The files, relative to the data folder.
QStringList killTestFiles();

// Writes every file once with content of this generation; false when a write failed.
bool writeGeneration(const QString& dataFolder, int generation);

// Empty when the file holds the complete content of some generation (whole-file writers), or
// parses with its keys (the settings file, which is read, changed and written back);
// otherwise what is wrong.
QString checkFile(const QString& dataFolder, const QString& relative);
