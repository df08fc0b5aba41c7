"""What the tests written as plain Python scripts share for their checks, as
checks.sh is for the shell tests:

    check(ok, what)   one check: prints "ok: WHAT" or "FAILED: WHAT" and
                      returns ok
    summary()         prints "N passed, M failed"; the exit status, 1 when a
                      check failed
"""
TALLY = {"passed": 0, "failed": 0}


def check(ok, what):
    TALLY["passed" if ok else "failed"] += 1
    print("ok:" if ok else "FAILED:", what)
    return ok


def summary():
    print(f"{TALLY['passed']} passed, {TALLY['failed']} failed")
    return 1 if TALLY["failed"] else 0
