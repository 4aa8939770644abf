#pragma once

// The seven-segment shapes the device's score panel shows, shared by the skin artwork and the
// leaflet's drawings so that both show the same glyphs: digits 0-9 and the letters A, b, C, d, E
// for 10 to 14 tens. Bits: 0 top, 1 upper right, 2 lower right, 3 bottom, 4 lower left,
// 5 upper left, 6 middle. A blank is 0; any other symbol is -1.
constexpr int sevenSegmentBits(char symbol) {
    switch (symbol) {
    case ' ': return 0;
    case '0': return 0b0111111;
    case '1': return 0b0000110;
    case '2': return 0b1011011;
    case '3': return 0b1001111;
    case '4': return 0b1100110;
    case '5': return 0b1101101;
    case '6': return 0b1111101;
    case '7': return 0b0000111;
    case '8': return 0b1111111;
    case '9': return 0b1101111;
    case 'A':
    case 'a': return 0b1110111;
    case 'B':
    case 'b': return 0b1111100;
    case 'C':
    case 'c': return 0b0111001;
    case 'D':
    case 'd': return 0b1011110;
    case 'E':
    case 'e': return 0b1111001;
    default: return -1;
    }
}
