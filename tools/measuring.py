"""What the tools that time the program in its window share."""
import contextlib
import tempfile


@contextlib.contextmanager
def own_profile():
    """The command-line options that give one run of the program an empty folder of its own to keep
    its game in, removed on leaving the block. Without them the window uses the player's own folder:
    a game kept there would be resumed instead of the title, and the autopilot playing on in it would
    write into the player's record."""
    with tempfile.TemporaryDirectory(prefix="pakaponta-measure-") as folder:
        yield ["--profile", folder]
