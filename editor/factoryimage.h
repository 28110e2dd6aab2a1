#ifndef FACTORYIMAGE_H
#define FACTORYIMAGE_H

#include <QByteArray>
#include <QStringList>

// A complete device memory image as write rows: "w0000" .. "w03F0" and, in
// parallel, each row's 16 bytes as spaced upper-case hex ("03 04 0A ...").
struct FactoryImage
{
    QStringList rowAddr;
    QStringList rowData;
};

// The built-in image for a model code: 8 (model 800) or 4 (model 700). The
// two differ only in the model byte at 0x3EF, which holds the code.
FactoryImage factoryImage(int model);

// The same image as the 0x400 memory bytes it describes.
QByteArray factoryImageBytes(int model);

#endif // FACTORYIMAGE_H
