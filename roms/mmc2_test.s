; Mapper 9 (MMC2) test cartridge. Every 8 KB program bank and every 4 KB
; character bank is filled with its own number; the program reads back what
; each window and pattern table shows, stores it at REPORT + n and marks
; DONE; the test compares.

.include "nes.inc"

.segment "HEADER"
        .byte "NES", $1A
        .byte 4                 ; 16 KB program banks
        .byte 4                 ; 8 KB character banks
        .byte $90               ; mapper 9 low nibble, horizontal in the header
        .byte $00
        .res 8, 0

.segment "BANKS"
.repeat 7, bank
        .res $2000, bank
.endrepeat

.segment "CHARS"
.repeat 8, bank
        .res $1000, bank
.endrepeat

.segment "CODE"
        .res 32, 7              ; the last bank's number, like the others ($E010 included)

reset:
        startup

; Program windows: bank 0, then the last three fixed; $A000 switches $8000.
        lda $8010
        report $00
        lda $A010
        report $01
        lda $C010
        report $02
        lda #3
        sta $A000
        lda $8010
        report $03
        lda #11
        sta $AFFF
        lda $8010
        report $04

; The lower table from $B000, the upper one through the latch.
        lda #2
        sta $B000               ; latch $FD, upper table = $D000's bank (0)
        read_ppu $0000
        report $05
        read_ppu $1000
        report $06
        lda #5
        sta $D000
        read_ppu $1000
        report $07
        lda #6
        sta $E000               ; latch still $FD: no change
        read_ppu $1000
        report $08
        read_ppu $0FE8          ; tile $FE: latch $FE, bank 6 comes in
        read_ppu $1000
        report $09
        read_ppu $1FD0          ; tile $FD of the upper table: bank 5 again
        report $0A
        read_ppu $1000
        report $0B
        lda #3
        sta $C000               ; lower table 3, latch $FE
        read_ppu $0000
        report $0C
        read_ppu $1000
        report $0D

; Mirroring under program control.
        lda #1
        sta $F000
        write_ppu $2010, $5A
        read_ppu $2410
        report $0E
        lda #0
        sta $F000
        write_ppu $2020, $A5
        read_ppu $2820
        report $0F

        lda #DONE_MARK
        sta DONE
forever:
        jmp forever

nmi:
irq:
        rti

.segment "VECTORS"
        .word nmi, reset, irq
