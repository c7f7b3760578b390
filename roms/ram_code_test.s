; Code run from memory below $8000, as real cartridges do: a routine copied
; to RAM, the same routine copied to cartridge RAM at $6000 and called
; through a RAM mirror, the routine changed after it ran once, and an NMI
; whose vector points at a trampoline in RAM. Each stores what it did at
; REPORT + n; executed from the program windows instead, the copies are
; BRKs into a handler that never returns, and DONE is never marked.

.include "nes.inc"

RAM_ROUTINE  = $0400
RAM_MIRROR   = $0C00            ; the same bytes as $0400
CART_ROUTINE = $6000
TRAMPOLINE   = $0500

.segment "HEADER"
        .byte "NES", $1A
        .byte 2                 ; 16 KB program banks
        .byte 1                 ; 8 KB character banks
        .byte $40               ; mapper 4
        .byte $00
        .res 8, 0

.segment "BANKS"
        .res $6000, 0

.segment "CHARS"
        .res $2000, 0

.segment "CODE"
reset:
        startup

        ldx #routine_end - routine - 1
copy:   lda routine,x
        sta RAM_ROUTINE,x
        sta CART_ROUTINE,x
        dex
        bpl copy
        ldx #2
copy_trampoline:
        lda trampoline,x
        sta TRAMPOLINE,x
        dex
        bpl copy_trampoline

        ldy #0
        jsr RAM_ROUTINE         ; REPORT + 0 = $42
        ldy #1
        jsr CART_ROUTINE        ; REPORT + 1 = $42
        ldy #2
        jsr RAM_MIRROR          ; REPORT + 2 = $42
        lda #$43
        sta RAM_ROUTINE + 1     ; the immediate operand, changed in place
        ldy #3
        jsr RAM_ROUTINE         ; REPORT + 3 = $43

        lda #$80                ; the NMI, through the trampoline
        sta PPUCTRL
wait_nmi:
        lda REPORT + 4
        beq wait_nmi

        lda #DONE_MARK
        sta DONE
forever:
        jmp forever

; Copied to memory; runs from wherever it lies.
routine:
        lda #$42
        sta REPORT,y
        rts
routine_end:

trampoline:
        jmp nmi

nmi:
        lda #0
        sta PPUCTRL
        lda #$5A
        sta REPORT + 4          ; REPORT + 4 = $5A
        rti

; A BRK from the zeroed program banks ends here, short of DONE.
stuck:
        jmp stuck

.segment "VECTORS"
        .word TRAMPOLINE, reset, stuck
