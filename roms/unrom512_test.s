; Mapper 30 (UNROM 512) test cartridge, a one-screen board. Every 16 KB
; program bank is filled with its own number; the program switches the bank
; at $8000, fills each 8 KB character RAM bank with marks of its own and
; reads them back, switches the name-table page, stores what it read at
; REPORT + n and marks DONE.

.include "nes.inc"

.segment "HEADER"
        .byte "NES", $1A
        .byte 4                 ; 16 KB program banks
        .byte 0                 ; character RAM
        .byte $E8               ; mapper 30 low nibble, one-screen board
        .byte $10               ; mapper 30 high nibble
        .res 8, 0

.segment "BANKS"
.repeat 3, bank
        .res $4000, bank
.endrepeat

.segment "CODE"
        .res 32, 3              ; the last bank's number ($C010 included)

; Bits 0-4 program bank, 5-6 character bank, 7 name-table page.
.macro select value
        lda #value
        sta $C000
.endmacro

reset:
        startup
        lda $8010
        report $00
        lda $C010
        report $01
        select 2
        lda $8010
        report $02
        select 5                ; 5 of 4 banks wraps to 1
        lda $8010
        report $03

.repeat 4, bank
        select bank << 5
        write_ppu $0000, $10 + bank
        write_ppu $1FFF, $20 + bank
.endrepeat
.repeat 4, bank
        select bank << 5
        read_ppu $0000
        report $04 + 2 * bank
        read_ppu $1FFF
        report $05 + 2 * bank
.endrepeat

        select $00              ; the lower page in all four tables
        write_ppu $2005, $11
        read_ppu $2C05
        report $0C
        select $80              ; the upper page: written nowhere yet
        read_ppu $2005
        report $0D
        write_ppu $2405, $22
        select $00              ; the lower page kept its bytes
        read_ppu $2805
        report $0E
        finish

nmi:
irq:
        rti

.segment "VECTORS"
        .word nmi, reset, irq
