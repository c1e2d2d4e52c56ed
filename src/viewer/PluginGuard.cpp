#include "viewer/PluginGuard.h"

#include <cstdint>

// The record the guard frame keeps on the stack. On i686 its first two
// fields are the exception registration record the system walks.
struct TGuardRecord {
    void* Next;
    void* Handler;
    DWORD_PTR ResumeSp;
    DWORD_PTR ResumeFp;
    TPluginFault* Fault;
};

extern "C" {
int QvGuardedCall(void (*body)(void*), void* context, TGuardRecord* record);
void QvGuardResume();
void QvGuardJump(TGuardRecord* record);
}

#if defined(__i386__)

extern "C" EXCEPTION_DISPOSITION __cdecl QvGuardHandler(EXCEPTION_RECORD* rec, void* frame, CONTEXT* ctx, void*)
{
    if (rec->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
    auto* record = static_cast<TGuardRecord*>(frame);
    record->Fault->Code = rec->ExceptionCode;
    record->Fault->Address = rec->ExceptionAddress;
    if (rec->ExceptionFlags & EXCEPTION_NONCONTINUABLE) QvGuardJump(record);  // does not return
    ctx->Esp = DWORD(record->ResumeSp);
    ctx->Ebp = DWORD(record->ResumeFp);
    ctx->Eip = DWORD(reinterpret_cast<DWORD_PTR>(&QvGuardResume));
    return ExceptionContinueExecution;
}

// cdecl: body, context, record. The record lives in the caller's frame, on
// the stack, as the system requires of registration records.
asm(R"(
    .text
    .globl _QvGuardedCall
_QvGuardedCall:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    subl $8, %esp
    fnstcw (%esp)
    stmxcsr 4(%esp)
    movl 16(%ebp), %eax
    movl %fs:0, %ecx
    movl %ecx, 0(%eax)
    movl $_QvGuardHandler, 4(%eax)
    movl %esp, 8(%eax)
    movl %ebp, 12(%eax)
    movl %eax, %fs:0
    pushl 12(%ebp)
    call *8(%ebp)
    addl $4, %esp
    xorl %eax, %eax
QvGuardLeave:
    movl 16(%ebp), %ecx
    movl 0(%ecx), %edx
    movl %edx, %fs:0
    fldcw (%esp)
    ldmxcsr 4(%esp)
    addl $8, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

    .globl _QvGuardResume
_QvGuardResume:
    cld
    fninit
    movl $1, %eax
    jmp QvGuardLeave

    .globl _QvGuardJump
_QvGuardJump:
    movl 4(%esp), %ecx
    movl 8(%ecx), %esp
    movl 12(%ecx), %ebp
    jmp _QvGuardResume
)");

#elif defined(__x86_64__)

extern "C" EXCEPTION_DISPOSITION QvGuardHandler(EXCEPTION_RECORD* rec, void* frame, CONTEXT* ctx,
                                                DISPATCHER_CONTEXT* dispatch)
{
    if (rec->ExceptionFlags & EXCEPTION_UNWIND) return ExceptionContinueSearch;
    // The establisher frame is the guard's stack pointer after its prologue;
    // the record's address sits at +32, above the callee's home area.
    auto* record = *reinterpret_cast<TGuardRecord**>(static_cast<char*>(frame) + 32);
    record->Fault->Code = rec->ExceptionCode;
    record->Fault->Address = rec->ExceptionAddress;
    if (rec->ExceptionFlags & EXCEPTION_NONCONTINUABLE) {
        // Cannot be continued: unwind the plug-in's frames to ours instead.
        RtlUnwindEx(frame, reinterpret_cast<void*>(&QvGuardResume), rec, nullptr, ctx, dispatch->HistoryTable);
    }
    ctx->Rsp = reinterpret_cast<DWORD64>(frame);
    ctx->Rip = reinterpret_cast<DWORD64>(&QvGuardResume);
    return ExceptionContinueExecution;
}

// Win64: rcx body, rdx context, r8 record. Saves every callee-saved
// register, xmm6-xmm15 included, because a fault returns here with the
// plug-in's values in them.
asm(R"(
    .text
    .globl QvGuardedCall
    .def QvGuardedCall; .scl 2; .type 32; .endef
    .seh_proc QvGuardedCall
QvGuardedCall:
    pushq %rbp
    .seh_pushreg %rbp
    pushq %rbx
    .seh_pushreg %rbx
    pushq %rsi
    .seh_pushreg %rsi
    pushq %rdi
    .seh_pushreg %rdi
    pushq %r12
    .seh_pushreg %r12
    pushq %r13
    .seh_pushreg %r13
    pushq %r14
    .seh_pushreg %r14
    pushq %r15
    .seh_pushreg %r15
    subq $216, %rsp
    .seh_stackalloc 216
    movaps %xmm6, 48(%rsp)
    .seh_savexmm %xmm6, 48
    movaps %xmm7, 64(%rsp)
    .seh_savexmm %xmm7, 64
    movaps %xmm8, 80(%rsp)
    .seh_savexmm %xmm8, 80
    movaps %xmm9, 96(%rsp)
    .seh_savexmm %xmm9, 96
    movaps %xmm10, 112(%rsp)
    .seh_savexmm %xmm10, 112
    movaps %xmm11, 128(%rsp)
    .seh_savexmm %xmm11, 128
    movaps %xmm12, 144(%rsp)
    .seh_savexmm %xmm12, 144
    movaps %xmm13, 160(%rsp)
    .seh_savexmm %xmm13, 160
    movaps %xmm14, 176(%rsp)
    .seh_savexmm %xmm14, 176
    movaps %xmm15, 192(%rsp)
    .seh_savexmm %xmm15, 192
    .seh_endprologue
    movq %r8, 32(%rsp)
    fnstcw 40(%rsp)
    stmxcsr 44(%rsp)
    movq %rcx, %rax
    movq %rdx, %rcx
    call *%rax
    xorl %eax, %eax
QvGuardLeave64:
    fldcw 40(%rsp)
    ldmxcsr 44(%rsp)
    movaps 48(%rsp), %xmm6
    movaps 64(%rsp), %xmm7
    movaps 80(%rsp), %xmm8
    movaps 96(%rsp), %xmm9
    movaps 112(%rsp), %xmm10
    movaps 128(%rsp), %xmm11
    movaps 144(%rsp), %xmm12
    movaps 160(%rsp), %xmm13
    movaps 176(%rsp), %xmm14
    movaps 192(%rsp), %xmm15
    addq $216, %rsp
    popq %r15
    popq %r14
    popq %r13
    popq %r12
    popq %rdi
    popq %rsi
    popq %rbx
    popq %rbp
    ret
    .seh_handler QvGuardHandler, @except
    .seh_endproc

    .globl QvGuardResume
QvGuardResume:
    cld
    fninit
    movl $1, %eax
    jmp QvGuardLeave64
)");

#else
#error "the plug-in guard knows i686 and x86_64"
#endif

bool CallGuarded(void (*body)(void*), void* context, TPluginFault& fault)
{
    fault = {};
    TGuardRecord record{};
    record.Fault = &fault;
    return QvGuardedCall(body, context, &record) == 0;
}

bool RearmStackGuard()
{
    MEMORY_BASIC_INFORMATION here{};
    if (!VirtualQuery(&here, &here, sizeof here)) return false;
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    auto* base = static_cast<BYTE*>(here.AllocationBase);
    BYTE* p = base;
    // From the bottom of the stack's reservation up to the first committed
    // pages: those are where the guard page belongs.
    for (;;) {
        MEMORY_BASIC_INFORMATION m{};
        if (!VirtualQuery(p, &m, sizeof m) || m.AllocationBase != base) return false;
        if (m.State == MEM_COMMIT) {
            if (m.Protect & PAGE_GUARD) return true;
            BYTE* page = static_cast<BYTE*>(m.BaseAddress);
            // Never the page the stack pointer is on.
            if (page + si.dwPageSize > reinterpret_cast<BYTE*>(&here) - 4 * si.dwPageSize) return false;
            DWORD old = 0;
            return VirtualProtect(page, si.dwPageSize, PAGE_READWRITE | PAGE_GUARD, &old) != 0;
        }
        p = static_cast<BYTE*>(m.BaseAddress) + m.RegionSize;
    }
}
