#pragma once
// Shared by the fuzz targets: quiet logging and a scratch folder per process.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// Sends Qt's messages and standard output nowhere: the parsers log every bad input, and the
// log would cost more than the parsing.
void silenceLogs();

// A folder of this process's own that lives until the process ends.
QString scratchFolder();

// Writes the bytes to a file in the scratch folder and returns its path.
QString writeScratchFile(const QString& name, const uint8_t* data, size_t size);

// Stops the run with a message when a property that must always hold does not.
void require(bool holds, const char* what);

// Reads the input as a sequence of fields: each call takes the next bytes, never past the end.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t byte();
    uint16_t word();
    QByteArray bytes(size_t count);
    QByteArray rest();
    size_t remaining() const { return m_size - m_used; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_used = 0;
};
