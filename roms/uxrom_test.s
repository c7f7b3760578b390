; Mapper 2 (UxROM) test cartridge. Every 16 KB program bank is filled with
; its own number (the fixed last bank at its start); the program switches
; the bank at $8000, uses the character RAM and the header's horizontal
; mirroring, stores what it read at REPORT + n and marks DONE.

.include "nes.inc"

.segment "HEADER"
        .byte "NES", $1A
        .byte 8                 ; 16 KB program banks
        .byte 0                 ; character RAM
        .byte $20               ; mapper 2, horizontal mirroring
        .byte $00
        .res 8, 0

.segment "BANKS"
.repeat 7, bank
        .res $4000, bank
.endrepeat

.segment "CODE"
        .res 32, 7              ; the last bank's number ($C010 included)

.macro select bank
        lda #bank
        sta $8000
.endmacro

reset:
        startup
        lda $8010
        report $00
        lda $C010
        report $01
        select 3
        lda $8010
        report $02
        select 9                ; 9 of 8 banks wraps to 1
        lda $8010
        report $03
        lda $C010
        report $04

        write_ppu $0123, $5A    ; character RAM keeps what is written
        read_ppu $0123
        report $05
        write_ppu $2405, $11    ; horizontal: $2000 and $2400 are one page
        read_ppu $2005
        report $06
        finish

nmi:
irq:
        rti

.segment "VECTORS"
        .word nmi, reset, irq
