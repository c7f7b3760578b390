; Mapper 4 (MMC3) test cartridge. Every 8 KB program bank and every 1 KB
; character bank is filled with its own number, so a read through a window
; or through the PPU data port says which bank is mapped there. The program
; stores what it reads at REPORT + n and marks DONE; the test compares.

.include "nes.inc"

.segment "HEADER"
        .byte "NES", $1A
        .byte 8                 ; 16 KB program banks
        .byte 2                 ; 8 KB character banks
        .byte $40               ; mapper 4 low nibble, horizontal in the header
        .byte $00
        .res 8, 0

.segment "BANKS"
.repeat 15, bank
        .res $2000, bank
.endrepeat

.segment "CHARS"
.repeat 16, bank
        .res $0400, bank
.endrepeat

.segment "ZEROPAGE"
irq_count:      .res 1

.segment "CODE"
        .res 32, 15             ; the fixed bank's number, like the others ($E010 included)


.macro select reg, bank
        lda #reg
        sta $8000
        lda #bank
        sta $8001
.endmacro

reset:
        startup
        sta irq_count

; Program banks, layout 0 then layout 1.
        select $06, 3
        lda $8010
        report $00
        select $07, 5
        lda $A010
        report $01
        select $46, 4
        lda $A010
        report $02
        lda $8010
        report $03
        select $47, 6
        lda $C010
        report $04
        lda $E010
        report $05
        select $06, 17
        lda $8010
        report $06

; Character banks: 2 KB pairs, both layouts, and a 1 KB bank.
        select $00, 2
        read_ppu $0000
        report $07
        read_ppu $0400
        report $08
        select $00, 3
        read_ppu $0000
        report $09
        read_ppu $0400
        report $0A
        select $80, 4
        read_ppu $1000
        report $0B
        read_ppu $1400
        report $0C
        select $02, 20
        read_ppu $1000
        report $0D
        select $85, 9
        read_ppu $0C00
        report $0E

; Mirroring under program control.
        lda #1
        sta $A000
        write_ppu $2010, $5A
        read_ppu $2410
        report $0F
        lda #0
        sta $A000
        write_ppu $2020, $A5
        read_ppu $2820
        report $10
        read_ppu $2420
        report $11

; Registers read back.
        lda #$47
        sta $8000
        lda $8000
        report $12
        lda #$80
        sta $A001
        lda $A001
        report $13
        lda #$77
        sta $C001
        lda $C001
        report $14

; Scanline counter: 3 lines, then every 256 lines, over two frames
; (524 line ends) makes three interrupts.
        wait_vblank
        lda #3
        sta $C000
        sta $E001
        cli
        wait_vblank
        wait_vblank
        sei
        sta $E000               ; stops the counter and reloads it from the latch
        lda irq_count
        report $15
        lda $C000
        report $17
        wait_vblank
        wait_vblank
        lda irq_count
        report $18

        lda #DONE_MARK
        sta DONE
forever:
        jmp forever

irq:
        pha
        inc irq_count
        lda irq_count
        cmp #1
        bne :+
        lda $C000
        report $16
:       pla
        rti

nmi:
        rti

.segment "VECTORS"
        .word nmi, reset, irq
