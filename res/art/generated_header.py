"""The one way the build's generated headers are written."""

import os


def write_if_changed(path, text):
    """Writes `text` to `path` only when it differs from what is there, so
    that a run that changes nothing recompiles nothing."""
    try:
        with open(path, encoding="ascii") as f:
            if f.read() == text:
                return
    except OSError:
        pass
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write(text)
