# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Disc images as authors master them, for the checker's tests: genisoimage,
xorriso, and mkudffs with udfclient."""

import re
import subprocess


def genisoimage(tree, image, *options):
    subprocess.run(["genisoimage", "-quiet", *options, "-o", str(image), str(tree)], check=True,
                   capture_output=True)


def xorriso(tree, image, *options):
    subprocess.run(["xorriso", "-as", "mkisofs", "-quiet", *options, "-o", str(image), str(tree)],
                   check=True, capture_output=True)


def udf_201(tree, image, files=("install/quv/win/client.ini", "products/Démarrage/setup.exe", "files/README")):
    """A UDF 2.01 file system made in a file, `files` of the tree written by
    udfclient into the volume it lists at its root, and one deleted."""
    subprocess.run(["mkudffs", "--media-type=hd", "--blocksize=2048", "--udfrev=2.01", "--label=DISC",
                    "--uuid=0123456789abcdef", str(image), "65536"], check=True, capture_output=True)
    listing = subprocess.run(["udfclient", "-W", "-b", "2048", str(image)], input=b"ls\nquit\n",
                             capture_output=True, timeout=60).stdout.decode()
    volume = re.search(r"(\S+:DISC:DISC:\S+)", listing).group(1)
    commands = []
    for name in files:
        commands.append(f"cd /{volume}")
        *folders, file = name.split("/")
        for folder in folders:
            commands += [f"mkdir {folder}", f"cd {folder}"]
        commands.append(f"put {name} {file}")  # udfclient puts from its own folder
    # A file put and removed leaves an entry flagged deleted, which Windows
    # never shows.
    commands += [f"cd /{volume}", f"put {files[0]} deleted.txt", "rm deleted.txt"]
    done = subprocess.run(["udfclient", "-W", "-b", "2048", str(image.resolve())], cwd=tree,
                          input=("\n".join(commands) + "\nquit\n").encode(), capture_output=True,
                          timeout=60)
    assert b"No space left" not in done.stdout + done.stderr, done.stdout.decode()
