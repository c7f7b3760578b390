; Mapper 3 (CNROM) test cartridge. Both 16 KB program banks and every 8 KB
; character bank are filled with their own number; the program switches the
; character bank, tries to write character ROM, uses the header's vertical
; mirroring, stores what it read at REPORT + n and marks DONE.

.include "nes.inc"

.segment "HEADER"
        .byte "NES", $1A
        .byte 2                 ; 16 KB program banks
        .byte 4                 ; 8 KB character banks
        .byte $31               ; mapper 3, vertical mirroring
        .byte $00
        .res 8, 0

.segment "BANKS"
        .res $4000, 0

.segment "CHARS"
.repeat 4, bank
        .res $2000, bank
.endrepeat

.segment "CODE"
        .res 32, 1              ; the second bank's number ($C010 included)

.macro select bank
        lda #bank
        sta $8000
.endmacro

reset:
        startup
        read_ppu $0000
        report $00
        select 2
        read_ppu $1FFF
        report $01
        select 5                ; 5 of 4 banks wraps to 1
        read_ppu $0000
        report $02
        write_ppu $0010, $77    ; character ROM: the write goes nowhere
        read_ppu $0010
        report $03
        lda $8010
        report $04
        lda $C010
        report $05
        write_ppu $2C05, $22    ; vertical: $2400 and $2C00 are one page
        read_ppu $2405
        report $06
        finish

nmi:
irq:
        rti

.segment "VECTORS"
        .word nmi, reset, irq
