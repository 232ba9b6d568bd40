// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The smallest lists a whole search finds something in: 2:5020/52.10.
inline constexpr const char* kNodos =
    "Zone,2,Europe,Brussels,Coord,32-1,9600\r\n"
    "Host,5020,Moscow_Net,Moscow,Host_Sysop,7-095-1,9600\r\n"
    "Hub,52,Mister_Postman,Moscow,Volodya_Rusinov,7-095-745,9600\r\n\x1A";
inline constexpr const char* kPuntos =
    "Boss,2:5020/52\r\n"
    ",10,Home,Moscow,Stas_O,-Unpublished-,9600\r\n\x1A";
