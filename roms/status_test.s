; Test cartridges that report through the status protocol at $6000, the
; way homebrew test cartridges do: the signature $DE $B0 $61 at
; $6001-$6003, the status at $6000 ($80 running, $81 asking for a reset,
; $00-$7F the result) and a zero-terminated text from $6004.
; Assembled four times: -D PASS, -D FAIL, -D RESET or -D FOREVER, with
; -D MAPPER=n for the header's mapper number.

.include "nes.inc"

STATUS    = $6000
SIGNATURE = $6001
TEXT      = $6004
RUNNING   = $80
WANTS_RESET = $81
; $7000 keeps its contents through the reset, so the cartridge can tell
; its second start from its first.
RESET_MARK = $7000
RESET_SEEN = $5A

.segment "HEADER"
        .byte "NES", $1A
        .byte 2                 ; 16 KB program banks
        .byte 1                 ; 8 KB character banks
        .byte (MAPPER & $0F) << 4 ; NROM layout, horizontal mirroring
        .byte $00
        .res 8, 0

.segment "CHARS"
        .res $2000, 0

.segment "CODE"

; Copies the zero-terminated text at label to TEXT, terminator included.
.macro show label
.scope
        ldx #0
copy:   lda label,x
        sta TEXT,x
        beq done
        inx
        bne copy
done:
.endscope
.endmacro

; Waits for count entries into vertical blank, polling the status port.
.macro wait_frames count
.scope
        ldy #count
frame:  bit PPUSTATUS
        bpl frame
        dey
        bne frame
.endscope
.endmacro

.macro report_result result
        lda #result
        sta STATUS
.endmacro

reset:
        startup
        lda #RUNNING
        sta STATUS
        lda #$DE
        sta SIGNATURE
        lda #$B0
        sta SIGNATURE + 1
        lda #$61
        sta SIGNATURE + 2

.ifdef PASS
        show passed
        wait_frames 10
        report_result 0
.endif

.ifdef FAIL
        show failed
        wait_frames 10
        report_result 3
.endif

.ifdef RESET
        lda RESET_MARK
        cmp #RESET_SEEN
        beq second_start
        lda #RESET_SEEN
        sta RESET_MARK
        show before_reset
        wait_frames 2
        lda #WANTS_RESET
        sta STATUS
        jmp forever
second_start:
        show after_reset
        wait_frames 2
        report_result 0
.endif

.ifdef FOREVER
        show running
.endif

forever:
        jmp forever

nmi:
irq:
        rti

passed:         .byte "All 1 tests passed", $0A, 0
failed:         .byte "Sprite overflow", $0A, "Failed #3", $0A, 0
before_reset:   .byte "Press reset...", $0A, 0
after_reset:    .byte "Reset seen", $0A, "Passed", $0A, 0
running:        .byte "Still running", 0

.segment "VECTORS"
        .word nmi, reset, irq
