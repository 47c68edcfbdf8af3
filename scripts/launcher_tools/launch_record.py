# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""What one launch under Wine did, as the run_launcher helper reports it and
the stand-in programs record it: the programs started, the message boxes
shown and the exit status."""

from dataclasses import dataclass, field


@dataclass
class Start:
    """One program the launcher started, as the stand-in recorded it."""
    module: str
    flags: int
    show: int
    command_line: bytes

    @property
    def parameters(self):
        """The parameter text: the command line less the quoted program name
        and the one blank the shell puts after it."""
        line = self.command_line
        if line.startswith(b'"'):
            end = line.find(b'"', 1)
            rest = line[end + 1:]
        else:
            rest = line.split(b" ", 1)[1] if b" " in line else b""
        return rest[1:] if rest.startswith(b" ") else rest


@dataclass
class Box:
    text: bytes
    caption: bytes
    buttons: str
    icon: bool


@dataclass
class Result:
    exit_code: int  # as a signed 32-bit value
    starts: list = field(default_factory=list)  # Start, in start order
    boxes: list = field(default_factory=list)
    processes: int = 0  # every process in the launcher's job, itself included

    @property
    def started_modules(self):
        return [s.module for s in self.starts]


def result_of(output, record):
    """What run_launcher reported (`output`) and the stand-ins recorded
    (`record`) of one launch."""
    fields, boxes = {}, []
    for line in output.splitlines():
        if line.startswith("box="):
            parts = dict(p.split("=", 1) for p in line.split(" "))
            boxes.append(Box(bytes.fromhex(parts["box"]), bytes.fromhex(parts["caption"]),
                             parts["buttons"], parts["icon"] == "1"))
        elif "=" in line:
            key, value = line.split("=", 1)
            fields[key] = value
    by_pid = {}
    if record.exists():
        for line in record.read_text(encoding="latin-1").splitlines():
            parts = dict(p.split("=", 1) for p in line.split("|"))
            by_pid[parts["pid"]] = Start(parts["module"], int(parts["flags"]),
                                         int(parts["show"]), bytes.fromhex(parts["cmdline"]))
    order = [p for p in fields.get("started", "").split(",") if p]
    starts = [by_pid.pop(p) for p in order if p in by_pid]
    if by_pid:  # recorded but not seen starting in the job
        raise RuntimeError(f"stand-ins outside the launcher's job: {by_pid}")
    code = int(fields["exit"])
    return Result(code - (1 << 32) if code >= 1 << 31 else code, starts, boxes, len(order))
