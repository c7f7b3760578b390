; Mapper 0 (NROM) test cartridge. The first 16 KB program bank is filled
; with 0, the start of the second with 1, and every 1 KB of character ROM
; with its own number. The program reads back the windows, the pattern
; tables, the name tables under the header's vertical mirroring, the
; palette mirrors and ROM that ignores writes, stores what it read at
; REPORT + n and marks DONE; the test compares.

.include "nes.inc"

.segment "HEADER"
        .byte "NES", $1A
        .byte 2                 ; 16 KB program banks
        .byte 1                 ; 8 KB character banks
        .byte $01               ; mapper 0, vertical mirroring
        .byte $00
        .res 8, 0

.segment "CHARS"
.repeat 8, bank
        .res $0400, bank
.endrepeat

.segment "CODE"
        .res 32, 1              ; the second bank's number ($C010 included)

reset:
        startup

; Program windows and pattern tables.
        lda $8010
        report $00
        lda $C010
        report $01
        read_ppu $0000
        report $02
        read_ppu $1C00
        report $03
        write_ppu $0000, $5A    ; character ROM: the write goes nowhere
        read_ppu $0000
        report $04

; Vertical mirroring: $2000 and $2800 are one page, $2400 and $2C00 the
; other, whichever of the two is written.
        write_ppu $2005, $11
        read_ppu $2805
        report $05
        write_ppu $2C05, $22
        read_ppu $2405
        report $06
        read_ppu $2005
        report $07
        write_ppu $3006, $33    ; $3000-$3EFF are the name tables again
        read_ppu $2806
        report $08

; Palette mirrors: $3F14 is $3F04, $3F2x repeats $3F0x.
        write_ppu $3F14, $2A
        read_ppu $3F04
        report $09
        read_ppu $3F24
        report $0A
        write_ppu $3F09, $15
        read_ppu $3F29
        report $0B

; Program ROM ignores writes.
        lda #$77
        sta $8010
        lda $8010
        report $0C

        finish

nmi:
irq:
        rti

.segment "VECTORS"
        .word nmi, reset, irq
