#include "seams.h"

#include <QAudioDevice>
#include <QMediaDevices>

qint32 wavedevices() {
    return qint32(QMediaDevices::audioOutputs().size());
}
