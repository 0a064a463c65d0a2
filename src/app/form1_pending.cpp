// Commands whose bodies live with the document, settings and help subsystems;
// until they are wired in, they do nothing.
#include "app/form1.h"

namespace mozaru {

void Form1::Command4_Click() {}
void Form1::Command5_Click() {}
void Form1::Command6_Click() {}
void Form1::LoadDocument(const QString& /*path*/) {}
void Form1::RichTextBox1_OLEDragDrop(const QMimeData* /*data*/) {}
void Form1::OpenCommandLineFile() {}
bool Form1::ReadWriteSettings(quint8 /*mode*/) {
    return true;
}

}  // namespace mozaru
