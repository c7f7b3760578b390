; Mapper 7 (AxROM) test cartridge. Every 32 KB program bank is filled with
; its own number and carries the same program at $C000, so the program runs
; on whichever bank it switches to. It switches banks and the one-screen
; page, stores what it read at REPORT + n and marks DONE.

.include "nes.inc"

.segment "HEADER"
        .byte "NES", $1A
        .byte 8                 ; 16 KB program banks: four 32 KB banks
        .byte 0                 ; character RAM
        .byte $70               ; mapper 7
        .byte $00
        .res 8, 0

; Bits 0-2 the 32 KB bank, bit 4 the name-table page.
.macro select value
        lda #value
        sta $8000
.endmacro

.macro program
reset:
        startup
        lda $8010
        report $00
        select 2
        lda $8010
        report $01
        lda $C010
        report $02
        select 5                ; 5 of 4 banks wraps to 1
        lda $8010
        report $03

        select $00              ; the lower page in all four tables
        write_ppu $2005, $11
        read_ppu $2C05
        report $04
        select $10              ; the upper page: written nowhere yet
        read_ppu $2005
        report $05
        write_ppu $2405, $22
        read_ppu $2805
        report $06
        select $00              ; each page kept its bytes
        read_ppu $2805
        report $07
        select $10
        read_ppu $2005
        report $08

        write_ppu $0123, $5A    ; character RAM keeps what is written
        read_ppu $0123
        report $09
        select $00
        finish

nmi:
irq:
        rti
.endmacro

.repeat 4, bank
.segment .sprintf("FILL%d", bank)
        .res $4000, bank
.segment .sprintf("CODE%d", bank)
.scope
        .res 32, bank           ; $C010 shows the bank too
        program
.segment .sprintf("VECTORS%d", bank)
        .word nmi, reset, irq
.endscope
.endrepeat
