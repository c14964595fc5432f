#pragma once

#include "bridge/vesperlink.h"

class AcpiBridge;

// Reads and writes the firmware's play status record for the two dialogs
// that share it. The music selection dialog owns the drive and the track,
// the options dialog the repeat mode, the duration and the volume; each
// writes the other's fields back as the firmware holds them. The library
// reports a read by the result of its last item only and a write as done
// even over refused items, so this class checks both on its own.
class PlayStatusStore
{
public:
    explicit PlayStatusStore(AcpiBridge &bridge) : m_bridge(bridge) {}

    // Reads the whole record; false when any field could not be read, so
    // that no caller writes back a field it never had.
    bool readAll(PlayStatus &status);

    // Writes the record, then reads it back: true only when the firmware
    // holds exactly what was written.
    bool write(const PlayStatus &status);

private:
    AcpiBridge &m_bridge;
};
